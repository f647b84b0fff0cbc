#include "core/kernel/KestError.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/DrawsageApplication.h"
#include "gui/shell/ErrorReport.h"

#include <QTimer>
#include <QtTest>

#include <stdexcept>

class TestErrorReport : public QObject {
    Q_OBJECT

private slots:
    void init() { TKestMessage::clearAnswered(); }

    void aGuardedStepReportsItsErrorAndReturns()
    {
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        bool after = false;
        ErrorReport::guard([] { throw TKestError("Table does not exist"); });
        after = true;
        QVERIFY(after);
        QCOMPARE(TKestMessage::answeredTexts(), QStringList("Table does not exist"));
    }

    // The last resort: an error that escapes an event handler is shown, and the event loop
    // goes on delivering the next events.
    void anErrorEscapingAnEventIsShownAndTheProgramGoesOn()
    {
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        QTimer::singleShot(0, [] { throw std::runtime_error("disk full"); });
        bool later = false;
        QTimer::singleShot(10, [&later] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(TKestMessage::answeredTexts(), QStringList("disk full"));
    }
};

int main(int argc, char* argv[])
{
    DrawsageApplication application(argc, argv);
    TestErrorReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorreport.moc"
