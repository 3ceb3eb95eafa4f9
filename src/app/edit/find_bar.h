#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vrx {

// The small bar above the channel buttons where the text to find is typed. Enter asks for
// the next match, Escape closes the bar; the search itself belongs to the edit actions.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    QLineEdit *field() const { return field_; }
    QLabel *status() const { return status_; }
    QString query() const;

    // Shows the bar with the field focused and its text selected for retyping.
    void open();
    // Hides the bar and forgets the last outcome.
    void dismiss();
    void setCaptions(const QString &label, const QString &notFound);
    // Shows or clears the not-found note.
    void showNotFound(bool notFound);

signals:
    void nextRequested();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *label_ = nullptr;
    QLineEdit *field_ = nullptr;
    QLabel *status_ = nullptr;
    QString notFound_;
};

} // namespace vrx
