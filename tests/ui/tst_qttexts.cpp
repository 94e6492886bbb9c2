// Qt's own texts as the window shows them: the context menus of the search
// box and of the scroll bars, opened as a right click opens them, and the
// error box's button, all in Kazakh.

#include "ErrorBox.h"
#include "FixtureDb.h"
#include "QtTexts.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace {

enum TMenuOwner { moSearchBox, moGridVertical, moGridHorizontal, moCategoryList };

// The texts of the menu that a right click on `target` opens, separators
// left out, read while it is open; the menu is closed afterwards. Qt opens
// some menus modally (the scroll bars') and some not (a line edit's).
QStringList ContextMenuTexts(QWidget *target)
{
    QStringList texts;
    bool read = false;
    auto readAndClose = [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (read || !menu)
            return;
        read = true;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(action->text());
        }
        menu->close();
    };
    QTimer::singleShot(0, target, readAndClose);
    const QPoint at(target->width() / 2, target->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    readAndClose();
    return texts;
}

// A Latin letter anywhere in the label, the part before the tab; the part
// after it names keys as their caps print them (Ctrl+Z).
bool LabelHasLatin(const QString &text)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return text.section(u'\t', 0, 0).contains(latin);
}

bool IsKeyCapShortcut(const QString &text)
{
    static const QRegularExpression keys(QStringLiteral("^((Ctrl|Shift|Alt|Meta)\\+)*([A-Z0-9]|F[0-9]+)$"));
    return !text.contains(u'\t') || keys.match(text.section(u'\t', 1)).hasMatch();
}

} // namespace

class tst_QtTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void contextMenusInKazakh_data();
    void contextMenusInKazakh();
    void errorBoxButtonInKazakh();

private:
    QTemporaryDir directory_;
    std::unique_ptr<TForm1> form_;
};

void tst_QtTexts::initTestCase()
{
    QVERIFY(InstallKazakhQtTexts());
    MakeDatabase(directory_.filePath(QStringLiteral("termins.db")), TermTableSql(50));
    form_ = std::make_unique<TForm1>(directory_.path() + QLatin1Char('/'));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void tst_QtTexts::contextMenusInKazakh_data()
{
    QTest::addColumn<int>("owner");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("search box") << int(moSearchBox)
                                << QStringList{QStringLiteral("&Болдырмау"), QStringLiteral("&Қайтару"),
                                               QStringLiteral("Қиып &алу"), QStringLiteral("&Көшіру"),
                                               QStringLiteral("Қ&ою"), QStringLiteral("Жою"),
                                               QStringLiteral("Барлығын ерекшелеу")};
    const QStringList vertical{QStringLiteral("Осы жерге айналдыру"), QStringLiteral("Жоғарғы шеті"),
                               QStringLiteral("Төменгі шеті"), QStringLiteral("Бір бет жоғары"),
                               QStringLiteral("Бір бет төмен"), QStringLiteral("Жоғары айналдыру"),
                               QStringLiteral("Төмен айналдыру")};
    QTest::newRow("grid, vertical scroll bar") << int(moGridVertical) << vertical;
    QTest::newRow("grid, horizontal scroll bar")
        << int(moGridHorizontal)
        << QStringList{QStringLiteral("Осы жерге айналдыру"), QStringLiteral("Сол жақ шеті"),
                       QStringLiteral("Оң жақ шеті"), QStringLiteral("Бір бет солға"),
                       QStringLiteral("Бір бет оңға"), QStringLiteral("Солға айналдыру"),
                       QStringLiteral("Оңға айналдыру")};
    QTest::newRow("category list's scroll bar") << int(moCategoryList) << vertical;
}

// Every entry of the menu is Kazakh, the same words as everywhere else,
// with the shortcut keys Qt appends named as on the keys.
void tst_QtTexts::contextMenusInKazakh()
{
    QFETCH(int, owner);
    QFETCH(QStringList, labels);
    QWidget *target = nullptr;
    switch (owner) {
    case moSearchBox: target = form_->Edit1; break;
    case moGridVertical: target = form_->DBGrid1->verticalScrollBar(); break;
    case moGridHorizontal: target = form_->DBGrid1->horizontalScrollBar(); break;
    case moCategoryList: target = form_->ComboBox1->view()->verticalScrollBar(); break;
    }
    const QStringList texts = ContextMenuTexts(target);
    for (const QString &text : texts) {
        QVERIFY2(!LabelHasLatin(text), qPrintable(text));
        QVERIFY2(IsKeyCapShortcut(text), qPrintable(text));
    }
    QStringList shown;
    for (const QString &text : texts)
        shown.append(text.section(u'\t', 0, 0));
    QCOMPARE(shown, labels);
}

// The box the one error handler shows has one button, in Kazakh.
void tst_QtTexts::errorBoxButtonInKazakh()
{
    QStringList buttons;
    QTimer::singleShot(0, form_.get(), [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (const QAbstractButton *button : box->buttons())
            buttons.append(button->text().remove(u'&'));
        box->done(0);
    });
    ShowException(std::make_exception_ptr(std::runtime_error("no such table: termin_items")));
    QCOMPARE(buttons, QStringList{QStringLiteral("Жарайды")});
}

QTEST_MAIN(tst_QtTexts)
#include "tst_qttexts.moc"
