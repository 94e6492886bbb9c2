#include "ErrorBox.h"
#include "ErrorBoxRecorder.h"
#include "Guarded.h"
#include "TApplication.h"

#include <QPushButton>
#include <QTest>

#include <stdexcept>

using lexaran::shell::ExceptionMessage;
using lexaran::shell::Guarded;
using lexaran::shell::TApplication;
using lexaran::shell::WithPeriod;

namespace {

std::exception_ptr Nested(const std::vector<std::string> &chain)
{
    // chain[0] is the outermost message, the last one the innermost.
    std::exception_ptr error = std::make_exception_ptr(std::runtime_error(chain.back()));
    for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) {
        try {
            try {
                std::rethrow_exception(error);
            } catch (...) {
                std::throw_with_nested(std::runtime_error(*it));
            }
        } catch (...) {
            error = std::current_exception();
        }
    }
    return error;
}

class TThrowingObject : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("escaped the handler");
        return QObject::event(event);
    }
};

} // namespace

class tst_ErrorBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void periodRule_data();
    void periodRule();
    void innermostMessage_data();
    void innermostMessage();
    void handlerErrorGivesOneBoxAndGoesOn();
    void boxOwnedByActiveWindow();
    void mouseGrabReleasedFirst();
    void dispatchGuardedAsLastResort();
};

void tst_ErrorBox::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Lexaran"));
}

void tst_ErrorBox::periodRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("name at the end") << QStringLiteral("no such table: termin_items") << QStringLiteral("no such table: termin_items.");
    QTest::newRow("Cyrillic letter") << QStringLiteral("қате") << QStringLiteral("қате.");
    QTest::newRow("digit") << QStringLiteral("code 5") << QStringLiteral("code 5.");
    QTest::newRow("colon") << QStringLiteral("reason:") << QStringLiteral("reason:.");
    QTest::newRow("question mark") << QStringLiteral("why?") << QStringLiteral("why?.");
    QTest::newRow("slash") << QStringLiteral("a/") << QStringLiteral("a/.");
    QTest::newRow("full stop") << QStringLiteral("done.") << QStringLiteral("done.");
    QTest::newRow("exclamation mark") << QStringLiteral("stop!") << QStringLiteral("stop!");
    QTest::newRow("closing parenthesis") << QStringLiteral("(x)") << QStringLiteral("(x)");
    QTest::newRow("comma") << QStringLiteral("a,") << QStringLiteral("a,");
    QTest::newRow("hyphen") << QStringLiteral("a-") << QStringLiteral("a-");
    QTest::newRow("quote") << QStringLiteral("near \"x\"") << QStringLiteral("near \"x\"");
    QTest::newRow("blank") << QStringLiteral("a ") << QStringLiteral("a ");
    QTest::newRow("line break") << QStringLiteral("a\n") << QStringLiteral("a\n");
    QTest::newRow("empty") << QString() << QString();
}

void tst_ErrorBox::periodRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(WithPeriod(message), shown);

    TErrorBoxRecorder recorder;
    HandleException(std::make_exception_ptr(std::runtime_error(message.toStdString())));
    QCOMPARE(recorder.boxes.size(), std::size_t(1));
    QCOMPARE(recorder.boxes[0].caption, QStringLiteral("Lexaran"));
    QCOMPARE(recorder.boxes[0].text, shown);
}

void tst_ErrorBox::innermostMessage_data()
{
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QString>("message");

    QTest::newRow("no inner error") << QStringList{"outer"} << QStringLiteral("outer");
    QTest::newRow("inner replaces outer") << QStringList{"outer", "inner"} << QStringLiteral("inner");
    QTest::newRow("innermost of three") << QStringList{"outer", "middle", "innermost"} << QStringLiteral("innermost");
    QTest::newRow("empty inner keeps outer") << QStringList{"outer", ""} << QStringLiteral("outer");
    QTest::newRow("empty innermost keeps outermost") << QStringList{"outer", "middle", ""} << QStringLiteral("outer");
}

void tst_ErrorBox::innermostMessage()
{
    QFETCH(QStringList, chain);
    QFETCH(QString, message);
    std::vector<std::string> messages;
    for (const QString &text : chain)
        messages.push_back(text.toStdString());
    QCOMPARE(ExceptionMessage(Nested(messages)), message);
}

void tst_ErrorBox::handlerErrorGivesOneBoxAndGoesOn()
{
    TErrorBoxRecorder recorder;
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] {
        Guarded([&] {
            if (++clicks == 1)
                throw std::runtime_error("near \"'\": syntax error");
        });
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(recorder.boxes.size(), std::size_t(1));
    QCOMPARE(recorder.boxes[0].text, QStringLiteral("near \"'\": syntax error."));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(recorder.boxes.size(), std::size_t(1));
}

void tst_ErrorBox::boxOwnedByActiveWindow()
{
    TErrorBoxRecorder recorder;
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Guarded([] { throw std::runtime_error("x"); });
    window.close();
    QTRY_VERIFY(!QApplication::activeWindow());
    Guarded([] { throw std::runtime_error("y"); });
    QCOMPARE(recorder.boxes.size(), std::size_t(2));
    QCOMPARE(recorder.boxes[0].owner, &window);
    QCOMPARE(recorder.boxes[1].owner, nullptr);
}

void tst_ErrorBox::mouseGrabReleasedFirst()
{
    TErrorBoxRecorder recorder;
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.grabMouse();
    QCOMPARE(QWidget::mouseGrabber(), &window);
    Guarded([] { throw std::runtime_error("while the button was held"); });
    QCOMPARE(recorder.boxes.size(), std::size_t(1));
    QCOMPARE(recorder.boxes[0].grabber, nullptr);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void tst_ErrorBox::dispatchGuardedAsLastResort()
{
    TErrorBoxRecorder recorder;
    TThrowingObject object;
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(recorder.boxes.size(), std::size_t(2));
    QCOMPARE(recorder.boxes[0].text, QStringLiteral("escaped the handler."));
}

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    tst_ErrorBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorbox.moc"
