#include "fakedialogs.h"
#include "ui/app/application.h"

#include <QTest>
#include <QTimer>

#include <stdexcept>

// An exception that escapes an event handler ends the program with status 1
// after the critical message box has shown its text.
class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void escapingExceptionIsShownAndEndsTheProgram_data()
    {
        QTest::addColumn<bool>("standard");
        QTest::addColumn<QString>("text");
        QTest::newRow("exception") << true << QStringLiteral("Сбой при разборе ответа");
        QTest::newRow("not an exception") << false << QString();
    }

    void escapingExceptionIsShownAndEndsTheProgram()
    {
        QFETCH(bool, standard);
        QFETCH(QString, text);
        FakeDialogs dialogs;
        QTimer::singleShot(0, qApp, [standard, text] {
            if (standard)
                throw std::runtime_error(text.toStdString());
            throw 42;
        });
        QCOMPARE(QCoreApplication::exec(), 1);
        QVERIFY(!dialogs.messages.isEmpty());
        QCOMPARE(dialogs.messages.first().icon, DialogSeam::Icon::Error);
        QCOMPARE(dialogs.messages.first().text, text);
    }
};

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
