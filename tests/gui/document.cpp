// The plan as a document, driven as a user drives it: keys go to whatever
// QApplication::focusWidget() is. Exit with unsaved changes asks, the title names the plan
// and marks its changes, Save writes to the plan's file, the recent files and the last
// folder outlive the run, logout keeps the autosave, F1 shows the guide.
#include "dialogs/help_window.h"
#include "edit/channel_grid.h"
#include "files/file_actions.h"
#include "files/plan_document.h"
#include "files/recent_files_menu.h"
#include "files/recovery.h"
#include "shell/app_windows.h"
#include "storage/app_settings.h"
#include "storage/channel_file.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

using namespace vrx;

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        answers_.clear();
        kinds_.clear();
        proposals_.clear();
        errors_.clear();
        questions_ = 0;
        focusedButton_.clear();
    }
    void cleanup() {
        // A watch that saw no question must not answer the next test's.
        polls_.reset();
        windows_.reset();
        dir_.reset();
    }

    void exitWithoutEditsQuitsWithoutAsking() {
        start();
        watchQuestion(Qt::Key_Escape);
        exitByKeys();
        QVERIFY(!main().isVisible());
        QCOMPARE(questions_, 0);
    }

    // Exit with an edit asks "Save changes to NAME?" with Save as the default; what
    // follows depends on the answer and on the save.
    void exitWithAnEditAsks_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("saveAs"); // what the save dialog answers
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << 0 << "" << false << false;
        QTest::newRow("Enter saves") << int(Qt::Key_Return) << 0 << "plan" << true << true;
        QTest::newRow("save dialog cancelled") << int(Qt::Key_Return) << 0 << "" << false << false;
        QTest::newRow("save fails")
            << int(Qt::Key_Return) << 0 << "no/such/folder/plan.vrx" << false << false;
        QTest::newRow("Alt+D discards")
            << int(Qt::Key_D) << int(Qt::AltModifier) << "" << true << false;
    }
    void exitWithAnEditAsks() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, saveAs);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        start();
        typeFrequency("439.5");
        QCOMPARE(main().table().text(RxFreqCol, 1), QStringLiteral("439.50000"));
        QVERIFY(main().isWindowModified());
        if (!saveAs.isEmpty())
            answers_ << path(saveAs);

        watchQuestion(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        exitByKeys();
        QCOMPARE(questions_, 1);
        QCOMPARE(questionText_, QStringLiteral("是否保存对“未命名”的更改？"));
        QCOMPARE(focusedButton_, QStringLiteral("保存(&S)"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(main().isVisible(), !closed);
        QCOMPARE(QFile::exists(path("plan.vrx")), saved);
        QCOMPARE(errors_.size(), saveAs.contains('/') ? 1 : 0);
        // Nothing of the plan is lost while the program keeps running.
        QCOMPARE(main().table().text(RxFreqCol, 1), QStringLiteral("439.50000"));
        if (saved)
            QVERIFY(readLines(path("plan.vrx")).value(29).startsWith("CH001 | 439.50000 | "));
        if (!closed) {
            QVERIFY(main().isWindowModified());
            // The window goes on taking keys (the offscreen platform does not give the
            // activation back by itself, as a window manager does).
            main().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main()));
            typeFrequency("440", 2);
            QCOMPARE(main().table().text(RxFreqCol, 2), QStringLiteral("440.00000"));
        }
    }

    void closingTheWindowAsksToo() {
        start();
        typeFrequency("439.5");
        watchQuestion(Qt::Key_Escape);
        QVERIFY(!main().close());
        QCOMPARE(questions_, 1);
        QVERIFY(main().isVisible());
    }

    void titleNamesThePlanAndMarksItsChanges() {
        start();
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - 未命名"));
        typeFrequency("439.5");
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - 未命名*"));

        answers_ << path("plan");
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(kinds_, QList<FileDialogKind>{FileDialogKind::Save});
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx"));
        QCOMPARE(main().planDocument().path(), path("plan.vrx"));

        typeFrequency("440", 2);
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx*"));
        press(Qt::Key_Z, Qt::ControlModifier);
        // Undone to the saved step.
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx"));
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx*"));

        // Save on a plan with a file writes there without a dialog.
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(kinds_.size(), 1);
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx"));
        QVERIFY(readLines(path("plan.vrx")).value(30).startsWith("CH002 | 440.00000 | "));

        // An option is part of the plan too.
        main().settings().setIndex(Option::Squelch, 7);
        QTRY_COMPARE(shownTitle(), QStringLiteral("VRX-5800 - plan.vrx*"));

        // Save As always asks; the plan then belongs to the new file.
        answers_ << path("copy.vrx");
        press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(kinds_.size(), 2);
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - copy.vrx"));

        // Opening keeps the specified caption (the file's empty band) in front of the name.
        answers_ << path("plan.vrx");
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(shownTitle(), QStringLiteral("VRX-428    [] - plan.vrx"));
        QVERIFY(!main().isWindowModified());
        press(Qt::Key_Z, Qt::ControlModifier); // the open was an undo step
        QTRY_VERIFY(main().isWindowModified());
    }

    void newPlanByCtrlNIsUntitledAndClean() {
        start();
        answers_ << path("plan.vrx");
        typeFrequency("439.5");
        main().fileActions().saveFile();
        press(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(windows_->warning.isVisible());
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QCOMPARE(main().table().text(RxFreqCol, 1), QString());
        QCOMPARE(shownTitle(), QStringLiteral("VRX-5800 - 未命名"));
    }

    void recentFilesAndTheLastFolderOutliveTheRun() {
        QDir(dir_->path()).mkdir(QStringLiteral("plans"));
        const QString a = path("plans/a.vrx");
        const QString b = path("plans/b.vrx");
        for (const QString &file : {a, b})
            QVERIFY(saveChannelFile(file, ChannelPlan{}).ok());
        start(path("myini.ini"));
        answers_ << a << b;
        main().openFile();
        main().openFile();
        QCOMPARE(main().appSettings().recentFiles, (QStringList{b, a}));
        windows_.reset();

        const AppSettings stored = readAppSettings(path("myini.ini"));
        QCOMPARE(stored.recentFiles, (QStringList{b, a}));
        QCOMPARE(stored.lastFolder, path("plans"));

        start(path("myini.ini"));
        // A dialog not yet used in this run starts in the folder used last, not the
        // documents folder.
        main().openFile();
        QCOMPARE(proposals_.last(), path("plans"));
        QMenu *recent = main().fileActions().recentFilesMenu()->menu();
        emit recent->aboutToShow();
        QStringList captions;
        for (QAction *item : recent->actions())
            captions << item->text();
        QCOMPARE(captions.mid(0, 2), (QStringList{"&1 " + QDir::toNativeSeparators(b),
                                                  "&2 " + QDir::toNativeSeparators(a)}));
        recent->actions().at(1)->trigger();
        QCOMPARE(main().planDocument().path(), a);
        QCOMPARE(main().appSettings().recentFiles, (QStringList{a, b}));

        // A file that has gone is reported and taken off the list.
        QVERIFY(QFile::remove(b));
        emit recent->aboutToShow();
        recent->actions().at(1)->trigger();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QDir::toNativeSeparators(b)));
        QCOMPARE(main().appSettings().recentFiles, QStringList{a});
        QCOMPARE(main().planDocument().path(), a);
    }

    void logoutKeepsTheAutosaveOfAModifiedPlan_data() {
        QTest::addColumn<bool>("logout");
        QTest::newRow("logout") << true;
        QTest::newRow("discard at exit") << false;
    }
    void logoutKeepsTheAutosaveOfAModifiedPlan() {
        QFETCH(bool, logout);
        start({}, path("data"));
        main().recovery().start();
        typeFrequency("439.5");
        const QString autosave = main().recovery().slot()->path();
        if (logout) {
            main().planDocument().endSession();
            watchQuestion(Qt::Key_Escape);
        } else {
            watchQuestion(Qt::Key_D, Qt::AltModifier);
        }
        QVERIFY(main().close());
        QCOMPARE(questions_, logout ? 0 : 1);
        windows_.reset();
        QCOMPARE(QFile::exists(autosave), logout);
        if (logout) {
            const ChannelFileLoad kept = loadChannelFile(autosave);
            QVERIFY(kept.ok());
            QCOMPARE(kept.plan->channels[0][0], QStringLiteral("439.50000"));
        }
    }

    void f1ShowsTheGuideInTheWindowsLanguage() {
        start({}, {}, QCoreApplication::applicationDirPath());
        for (Language language : {Language::Chinese, Language::English}) {
            main().useLanguage(language);
            main().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main()));
            press(Qt::Key_F1);
            HelpWindow *help = main().helpWindow();
            QVERIFY(help);
            QTRY_VERIFY(help->isVisible());
            QCOMPARE(help->language(), language);
            const QString text = help->browser()->document()->toPlainText();
            QVERIFY(text.contains(language == Language::English ? "Troubleshooting" : "故障排除"));
            QVERIFY(text.contains("vrxctl"));
            QCOMPARE(help->windowTitle(), language == Language::English
                                              ? QStringLiteral("VRX-5800 user guide")
                                              : QStringLiteral("VRX-5800 用户指南"));
            // Every link of the table of contents leads to a heading.
            QStringList names;
            QStringList targets;
            for (QTextBlock block = help->browser()->document()->begin(); block.isValid();
                 block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat format = it.fragment().charFormat();
                    names += format.anchorNames();
                    if (format.anchorHref().startsWith('#'))
                        targets << format.anchorHref().mid(1);
                }
            }
            QVERIFY(targets.size() >= 8);
            for (const QString &target : targets)
                QVERIFY2(names.contains(target), qPrintable(target));
            // The guide takes the keys; Escape closes it.
            QTRY_COMPARE(QApplication::focusWidget(), help->browser());
            press(Qt::Key_Escape);
            QTRY_VERIFY(!help->isVisible());
        }
    }

private:
    void start(const QString &settingsPath = {}, const QString &dataFolder = {},
               const QString &dataDir = {}) {
        AppEnvironment env;
        env.settingsPath = settingsPath;
        env.dataFolder = dataFolder;
        env.dataDir = dataDir;
        env.documentsDir = dir_->path();
        env.chooseFile = [this](FileDialogKind kind, const QString &proposed) {
            kinds_ << kind;
            proposals_ << proposed;
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        };
        env.reportError = [this](const QString &m) { errors_ << m; };
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }
    MainWindow &main() { return windows_->main; }
    QString path(const QString &name) const { return dir_->filePath(name); }
    // The title as the title bar shows it (the mark in place of "[*]").
    QString shownTitle() {
        QCoreApplication::processEvents();
        return main().windowHandle()->title();
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Types `digits` into channel `row`'s receive frequency and commits it with Enter.
    void typeFrequency(const char *digits, int row = 1) {
        main().grid()->selectCell(RxFreqCol, row);
        main().grid()->setFocus();
        for (const char *d = digits; *d; ++d)
            QTest::keyClick(QApplication::focusWidget(), *d);
        QCOMPARE(QApplication::focusWidget(), main().grid()->frequencyEditor());
        press(Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // File menu by its access key, then Exit by its own.
    void exitByKeys() {
        press(Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(main().menu(MainMenu::File)->isVisible());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E);
        QCoreApplication::processEvents();
    }
    // Answers the question, when it comes, with `key` where the focus is.
    void watchQuestion(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        if (!polls_)
            polls_ = std::make_unique<QObject>();
        auto *poll = new QTimer(polls_.get());
        connect(poll, &QTimer::timeout, this, [this, poll, key, modifiers] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->objectName() != QStringLiteral("saveChangesQuestion") ||
                !box->isAncestorOf(QApplication::focusWidget()))
                return;
            poll->stop();
            poll->deleteLater();
            ++questions_;
            questionText_ = box->text();
            if (auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget()))
                focusedButton_ = button->text();
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        });
        poll->start(20);
    }
    static QList<QByteArray> readLines(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>{};
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppWindows> windows_;
    std::unique_ptr<QObject> polls_;
    QStringList answers_;
    QList<FileDialogKind> kinds_;
    QStringList proposals_;
    QStringList errors_;
    int questions_ = 0;
    QString questionText_;
    QString focusedButton_;
};

QTEST_MAIN(DocumentTest)
#include "document.moc"
