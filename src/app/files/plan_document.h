#pragma once

#include "i18n/document_texts.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace vrx {

class MainWindow;

// The window's plan as a document: where it came from (a file, the radio, nothing),
// whether it differs from that (the plan history's clean position), and the title that
// shows both: "CAPTION - NAME[*]". It also decides whether the window may close: a
// modified plan is not thrown away without asking.
class PlanDocument : public QObject {
    Q_OBJECT
public:
    // The window's plan, its history and its texts must exist.
    PlanDocument(MainWindow &window, const QString &caption);

    // The caption the title starts with ("VRX-5800", or "VRX-428    [band]" after an
    // open); it is kept while the name and the mark change.
    void setCaption(const QString &caption);
    QString caption() const { return caption_; }

    // The plan now is the one in `path` (opened or saved), read from the radio, or new:
    // it is not modified.
    void markFile(const QString &path);
    void markRead();
    void markNew();
    // A plan restored from a run that did not end properly: no file, and not saved.
    void markRestored();

    PlanSource source() const { return source_; }
    // The file the plan was last opened from or saved to; empty when it has none.
    QString path() const { return source_ == PlanSource::File ? path_ : QString(); }
    // As the title and the question show it.
    QString name() const;
    bool isModified() const;

    // True when the window may close: the plan is not modified, or the user saved it or
    // chose to discard it. Cancel, Escape or a save that failed or was cancelled: false.
    bool mayClose();
    // The desktop ends the session (logout): the window closes without asking, and a
    // modified plan stays in the autosave, so the next start offers it.
    void endSession();
    bool sessionEnding() const { return sessionEnding_; }

    // The title and the mark now (changes are gathered and shown from the event loop).
    void refresh();

private:
    enum class Answer { Save, Discard, Cancel };
    Answer askToSave();

    MainWindow &window_;
    QString caption_;
    PlanSource source_ = PlanSource::New;
    QString path_;
    bool sessionEnding_ = false;
    QTimer refreshTimer_;
};

} // namespace vrx
