// The printed channel list's pages, read back with poppler's pdftotext: however many
// channels a plan holds, the options block is never split over two pages.
#include "document/channel_list_document.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrx;

class ChannelListTest : public QObject {
    Q_OBJECT

private slots:
    void optionsBlockStaysWholeWhereverTheTableEnds() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is missing");
        QTemporaryDir dir;
        ChannelListTexts texts;
        texts.optionsTitle = "OPTIONS-START";
        texts.driveLabels[2] = "OPTIONS-END";
        int movedWhole = 0;
        // Around the end of the first A4 page, which holds 49 rows: with 37 the block still
        // fits under the table, from 38 it would be cut, from 50 the table goes on.
        for (int count : {37, 38, 44, 49, 50}) {
            ChannelPlan plan;
            for (int n = 1; n <= count; ++n)
                plan.channels[n - 1] = {"438.50000", "OFF",  "438.50000", "OFF",
                                        "High",      "Wide", "ON",        "OFF"};
            const QString pdf = dir.filePath(QString::number(count) + ".pdf");
            QVERIFY(saveChannelListPdf(pdf, channelListHtml(plan, texts, QDate(2026, 1, 1)),
                                       QPageSize::A4)
                        .ok());
            QProcess run;
            run.start(pdftotext, {pdf, "-"});
            QVERIFY(run.waitForFinished(30000));
            const QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split('\f');
            int start = -1;
            int end = -1;
            int last = -1; // page of the last channel row
            for (int page = 0; page < pages.size(); ++page) {
                if (pages[page].contains("OPTIONS-START"))
                    start = page;
                if (pages[page].contains("OPTIONS-END"))
                    end = page;
                if (pages[page].contains(QStringLiteral("%1").arg(count, 3, 10, QChar('0'))))
                    last = page;
            }
            QVERIFY2(start >= 0 && start == end, qPrintable(QString::number(count)));
            movedWhole += start > last ? 1 : 0;
        }
        // 38 to 49 leave too little room: the block then starts the next page.
        QCOMPARE(movedWhole, 3);
    }
};

QTEST_MAIN(ChannelListTest)
#include "channel_list.moc"
