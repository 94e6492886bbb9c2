#include "FixtureDb.h"
#include "FormFixture.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSizeGrip>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionHeader>
#include <QTest>

#include <memory>

class tst_Form1Layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowAsDesigned();
    void statusBarTakesPlatformFont();
    void creationOrder();
    void controls_data();
    void controls();
    void categoryList();
    void categoryListOpensEightEntries_data();
    void categoryListOpensEightEntries();
    void gridOptions();
    void titlesHotAndPressed_data();
    void titlesHotAndPressed();
    void titlesHighlightedOnce_data();
    void titlesHighlightedOnce();
    void gridIgnoresTyping();
    void gridKeysStillWork();
    void screenReaderRolesAndNames();
    void statusPanels();
    void radioButtonGeometry();
    void cueTextHiddenWhileFocused();
    void focusAndTabOrder();
    void renderAtStart();

private:
    // Makes `style` the application's style and the window anew under it.
    void UseStyle(const QString &style);
    static void StylesData();

    QString initialStyle_;
    std::unique_ptr<TFormFixture> fixture_;
};

void tst_Form1Layout::initTestCase()
{
    initialStyle_ = QApplication::style()->name();
}

void tst_Form1Layout::UseStyle(const QString &style)
{
    fixture_->Close();
    QApplication::setStyle(style);
    QCOMPARE(QApplication::style()->name().toLower(), style.toLower());
    fixture_->Open();
}

void tst_Form1Layout::init()
{
    fixture_ = std::make_unique<TFormFixture>(TermTableSql(40));
}

void tst_Form1Layout::cleanup()
{
    const QStringList shown = EndFixture(fixture_);
    // A test may have changed the style; the next one starts with the platform's own.
    if (QApplication::style()->name() != initialStyle_)
        QApplication::setStyle(initialStyle_);
    QCOMPARE(shown, QStringList());
}

void tst_Form1Layout::windowAsDesigned()
{
    QCOMPARE(fixture_->form->windowTitle(), QStringLiteral("Lexaran - терминдер қоры "));
    QCOMPARE(fixture_->form->size(), QSize(1097, 568));
    QCOMPARE(fixture_->form->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(fixture_->form->font().pixelSize(), 11);
    QVERIFY(fixture_->form->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(fixture_->form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(fixture_->form->minimumSize(), QSize(0, 0));
    // The status bar speaks in the system's status-bar font, every other control in the window's.
    QCOMPARE(fixture_->form->StatusBar1->font().family(), QApplication::font("QStatusBar").family());
    QCOMPARE(fixture_->form->StatusBar1->font().pointSizeF(), QApplication::font("QStatusBar").pointSizeF());
    QCOMPARE(fixture_->form->Edit1->font().pixelSize(), 11);
}

void tst_Form1Layout::statusBarTakesPlatformFont()
{
    // A platform that names a status-bar font of its own (Windows does, from
    // the system's settings) has it in the status bar, whatever the
    // application's general font is.
    const QFont platformDefault = QApplication::font("QStatusBar");
    QFont status(QStringLiteral("DejaVu Sans Mono"));
    status.setPointSizeF(13.5);
    QApplication::setFont(status, "QStatusBar");
    fixture_->Open();
    QApplication::setFont(platformDefault, "QStatusBar");

    QVERIFY(QApplication::font().family() != status.family());
    QCOMPARE(fixture_->form->StatusBar1->font().family(), status.family());
    QCOMPARE(fixture_->form->StatusBar1->font().pointSizeF(), 13.5);
    const QList<QLabel *> panels = fixture_->form->StatusBar1->findChildren<QLabel *>();
    QVERIFY(!panels.isEmpty());
    for (const QLabel *panel : panels)
        QCOMPARE(panel->font().family(), status.family());
}

void tst_Form1Layout::creationOrder()
{
    const QStringList creationOrder = {"DBGrid1", "StatusBar1", "BitBtn1", "Edit1", "ComboBox1", "BitBtn2", "RadioGroup1", "RadioGroup2"};
    QStringList created;
    for (QObject *child : fixture_->form->children()) {
        // The category list's name, never shown, is no control.
        if (child->isWidgetType() && !static_cast<QWidget *>(child)->isHidden())
            created.append(child->objectName());
    }
    QCOMPARE(created, creationOrder);
}

// The design written out here, not read from the window's own table, so
// that a wrong number in the table shows.
void tst_Form1Layout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("followsWindow");

    QTest::newRow("grid") << "DBGrid1" << QRect(8, 95, 553, 138) << QString() << QStringList() << true;
    QTest::newRow("status bar") << "StatusBar1" << QRect(0, 549, 1097, 19) << QString() << QStringList() << true;
    QTest::newRow("search button") << "BitBtn1" << QRect(623, 20, 87, 21) << "Іздеу" << QStringList() << false;
    QTest::newRow("search box") << "Edit1" << QRect(8, 20, 377, 21) << "Іздейтін сөзіңізді енгізіңіз ..." << QStringList() << false;
    QTest::newRow("category list") << "ComboBox1" << QRect(391, 20, 226, 22) << "Барлық категория" << QStringList() << false;
    QTest::newRow("show-all button") << "BitBtn2" << QRect(712, 20, 87, 21) << "Барлығы" << QStringList() << false;
    QTest::newRow("match kinds") << "RadioGroup1" << QRect(8, 48, 449, 41) << "Іздеу түрі"
                                 << QStringList{"Ішінде кездеседі", "Осы сөзден басталады", "Нақты сөзге тең"} << false;
    QTest::newRow("search fields") << "RadioGroup2" << QRect(463, 47, 243, 41) << "Іздеу өрісі"
                                   << QStringList{"Барлығы", "Орысша", "Қазақша"} << false;
}

void tst_Form1Layout::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    QFETCH(bool, followsWindow);

    auto *widget = fixture_->form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    // Every control has a Kazakh name a screen reader can speak.
    QVERIFY(!widget->accessibleName().isEmpty());
    QVERIFY(!widget->accessibleName().contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));

    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), caption);
        // Enter and Esc press neither button.
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
        // Named by the caption the user sees, so that saying it presses it.
        QCOMPARE(widget->accessibleName(), caption);
    } else if (auto *edit = qobject_cast<TEdit *>(widget)) {
        QCOMPARE(edit->TextHint(), caption);
        QVERIFY(edit->text().isEmpty());
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        QCOMPARE(list->currentText(), caption);
    } else if (auto *group = qobject_cast<TRadioGroup *>(widget)) {
        QCOMPARE(group->Caption(), caption);
        QVERIFY2(group->title().isEmpty(), "the caption as title would label every button with it");
        QCOMPARE(widget->accessibleName(), caption);
        QCOMPARE(group->ItemIndex(), 0);
        QStringList texts;
        for (QRadioButton *button : group->Buttons()) {
            texts.append(button->text());
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), button->text());
        }
        QCOMPARE(texts, items);
    }

    // Showing a larger window fits only the grid and the status bar to it.
    fixture_->form->resize(1400, 700);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    if (name == QLatin1String("StatusBar1"))
        QCOMPARE(widget->geometry(), QRect(0, fixture_->form->height() - 19, fixture_->form->width(), 19));
    else if (!followsWindow)
        QCOMPARE(widget->geometry(), geometry);
    else
        QVERIFY(widget->size() != geometry.size());
}

void tst_Form1Layout::categoryList()
{
    QComboBox *list = fixture_->form->ComboBox1;
    QCOMPARE(list->count(), 60);
    QVERIFY(!list->isEditable());
    QCOMPARE(list->maxVisibleItems(), 8);
    QCOMPARE(list->view()->sizeHintForRow(0), 16);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(list->itemText(0), QStringLiteral("Барлық категория"));
    QCOMPARE(list->itemText(17), QStringLiteral("Медицина"));
    QCOMPARE(list->itemText(12), QStringLiteral("Геология, геодезия және география"));
    QCOMPARE(list->itemText(33), QStringLiteral("Терминдер 2012-2015"));
    QCOMPARE(list->itemText(35), QStringLiteral("1971-1981"));
    QCOMPARE(list->itemText(59), QStringLiteral("2019"));
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QStringList years;
    for (int i = 0; i < list->count(); ++i) {
        QVERIFY2(!list->itemText(i).contains(latin), qPrintable(list->itemText(i)));
        if (i >= 36)
            years.append(list->itemText(i));
    }
    QCOMPARE(years.join(u' '), QStringLiteral("1990 1993 1995 1997 1998 1999 2000 2002 2003 2004 2005 2006 2007 2008 "
                                              "2009 2010 2011 2013 2014 2015 2016 2017 2018 2019"));
}

// One row per style Qt offers here: Fusion, for one, opens a list that
// cannot be typed into as a menu of all its entries unless told otherwise,
// and draws every title alike whatever its state.
void tst_Form1Layout::StylesData()
{
    QTest::addColumn<QString>("style");
    for (const QString &style : QStyleFactory::keys())
        QTest::newRow(qPrintable(style)) << style;
}

void tst_Form1Layout::categoryListOpensEightEntries_data()
{
    StylesData();
}

void tst_Form1Layout::categoryListOpensEightEntries()
{
    QFETCH(QString, style);
    UseStyle(style);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    QComboBox *list = fixture_->form->ComboBox1;
    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));

    // Exactly entries 0 to 7 are in sight, each 16 high, and a scroll bar
    // leads to the rest.
    const QRect sight = view->viewport()->rect();
    QCOMPARE(view->indexAt(QPoint(2, 0)).row(), 0);
    QCOMPARE(view->indexAt(QPoint(2, sight.bottom())).row(), 7);
    QCOMPARE(view->visualRect(view->model()->index(7, 0)).bottom(), sight.bottom());
    QCOMPARE(view->visualRect(view->model()->index(3, 0)).height(), 16);
    QVERIFY(view->verticalScrollBar()->isVisible());
    QCOMPARE(view->verticalScrollBar()->maximum(), 60 - 8);
    // The popup is no taller than its eight entries and its own frame.
    QVERIFY2(view->window()->height() < 9 * 16, qPrintable(QString::number(view->window()->height())));
    // It opens below the box, not over it.
    QVERIFY(view->window()->geometry().top() >= list->mapToGlobal(QPoint(0, 0)).y() + list->height() - 1);
    list->hidePopup();
}

void tst_Form1Layout::gridOptions()
{
    TDBGrid *grid = fixture_->form->DBGrid1;
    QCOMPARE(grid->model(), &fixture_->form->DataSource1);
    QCOMPARE(grid->model()->columnCount(), 3);
    const QStringList titles = {"Орысша", "Қазақша", "Саласы"};
    const int widths[] = {193, 231, 241};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(grid->model()->headerData(i, Qt::Horizontal).toString(), titles[i]);
        QCOMPARE(grid->columnWidth(i), widths[i]);
    }
    QVERIFY(!grid->horizontalHeader()->isHidden());
    QVERIFY(!grid->verticalHeader()->isHidden());
    QCOMPARE(grid->verticalHeader()->width(), 11);
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!grid->tabKeyNavigation());
    QVERIFY(!grid->isSortingEnabled());
    QVERIFY(grid->horizontalHeader()->sectionsMovable());
    QVERIFY(grid->horizontalHeader()->sectionsClickable());
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QVERIFY(grid->showGrid());
    // Selection shows only while the grid has the focus.
    const QPalette colours = grid->palette();
    QCOMPARE(colours.color(QPalette::Inactive, QPalette::Highlight), colours.color(QPalette::Inactive, QPalette::Base));
    QVERIFY(colours.color(QPalette::Active, QPalette::Highlight) != colours.color(QPalette::Active, QPalette::Base));

    // A click on a title sorts nothing.
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    const QString first = grid->model()->index(0, 0).data().toString();
    QHeaderView *header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), first);
}

void tst_Form1Layout::titlesHotAndPressed_data()
{
    StylesData();
}

void tst_Form1Layout::titlesHotAndPressed()
{
    QFETCH(QString, style);
    UseStyle(style);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    QHeaderView *header = fixture_->form->DBGrid1->horizontalHeader();
    QWidget *titles = header->viewport();
    const QRect title(header->sectionViewportPosition(1), 0, header->sectionSize(1), titles->height());
    // Away from the title's borders, where a press would resize a column.
    const QPoint inside = title.center();
    auto look = [&] { return titles->grab(title).toImage(); };

    QTest::mouseMove(titles, QPoint(header->sectionViewportPosition(2) + 30, title.center().y()));
    const QImage plain = look();
    QTest::mouseMove(titles, inside);
    QTRY_VERIFY(look() != plain);
    const QImage hot = look();
    QTest::mousePress(titles, Qt::LeftButton, {}, inside);
    const QImage pressed = look();
    QVERIFY(pressed != hot);
    QVERIFY(pressed != plain);
    const QString first = header->model()->index(0, 0).data().toString();
    QTest::mouseRelease(titles, Qt::LeftButton, {}, inside);
    QCOMPARE(look(), hot);
    // Pressing a title sorts nothing.
    QCOMPARE(header->model()->index(0, 0).data().toString(), first);
}

void tst_Form1Layout::titlesHighlightedOnce_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("state");
    for (const QString &style : QStyleFactory::keys()) {
        QTest::addRow("%s, hot", qPrintable(style)) << style << int(QStyle::State_MouseOver);
        QTest::addRow("%s, pressed", qPrintable(style)) << style << int(QStyle::State_Sunken | QStyle::State_MouseOver);
    }
}

void tst_Form1Layout::titlesHighlightedOnce()
{
    // Where the platform's style draws a title's state itself, the title
    // looks exactly as that style draws it; where the style draws the state
    // like a plain title, the grid's own highlight shows it.
    QFETCH(QString, style);
    QFETCH(int, state);
    UseStyle(style);
    QHeaderView *header = fixture_->form->DBGrid1->horizontalHeader();
    const auto *titles = qobject_cast<const QProxyStyle *>(header->style());
    QVERIFY(titles);
    QVERIFY(titles->baseStyle());
    QCOMPARE(titles->baseStyle()->name().toLower(), style.toLower());

    auto draw = [&](const QStyle *drawing, int with) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.rect = QRect(0, 0, 120, 20);
        option.section = 1;
        option.text = QStringLiteral("Қазақша");
        option.position = QStyleOptionHeader::Middle;
        option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal | QStyle::StateFlag(with);
        QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        drawing->drawControl(QStyle::CE_HeaderSection, &option, &painter, header);
        painter.end();
        return image;
    };
    const QImage basePlain = draw(titles->baseStyle(), 0);
    const QImage baseState = draw(titles->baseStyle(), state);
    const QImage shown = draw(titles, state);
    QCOMPARE(draw(titles, 0), basePlain);
    if (baseState != basePlain)
        QCOMPARE(shown, baseState);
    else
        QVERIFY(shown != baseState);
}

void tst_Form1Layout::gridIgnoresTyping()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    TDBGrid *grid = fixture_->form->DBGrid1;
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().row(), 0);
    // Every row's Russian text begins with "р", its Kazakh text with "қ":
    // type-to-find would move on to the next row.
    for (int column : {0, 1, 2}) {
        grid->setCurrentIndex(grid->model()->index(0, column));
        for (const QChar letter : QStringLiteral("рқХМ1")) {
            // As a Kazakh keyboard sends it: the letter's code as the key.
            QKeyEvent press(QEvent::KeyPress, letter.toUpper().unicode(), Qt::NoModifier, QString(letter));
            QKeyEvent release(QEvent::KeyRelease, letter.toUpper().unicode(), Qt::NoModifier, QString(letter));
            QApplication::sendEvent(grid, &press);
            QApplication::sendEvent(grid, &release);
        }
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(fixture_->form->ClientDataSet1.RecNo(), 1);
    }
    QVERIFY(fixture_->form->Edit1->text().isEmpty());
}

void tst_Form1Layout::gridKeysStillWork()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    TDBGrid *grid = fixture_->form->DBGrid1;
    auto row = [grid] { return grid->currentIndex().row(); };
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(row(), 1);
    QTest::keyClick(grid, Qt::Key_Up);
    QCOMPARE(row(), 0);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QVERIFY(row() > 1);
    QTest::keyClick(grid, Qt::Key_PageUp);
    QCOMPARE(row(), 0);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(row(), 39);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(row(), 0);
    QTest::keyClick(grid, Qt::Key_Down);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("рус2\tқаз2\tМедицина"));
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), fixture_->form->BitBtn1);
}

void tst_Form1Layout::screenReaderRolesAndNames()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    const auto accessible = &QAccessible::queryAccessibleInterface;
    QAccessibleInterface *window = accessible(fixture_->form.get());
    QVERIFY(window);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Lexaran - терминдер қоры "));

    // The status bar reads its panels as its children.
    QAccessibleInterface *bar = accessible(fixture_->form->StatusBar1);
    QCOMPARE(bar->role(), QAccessible::StatusBar);
    QCOMPARE(bar->parent()->object(), fixture_->form.get());
    fixture_->form->StatusBar1->SetPanelText(1, QStringLiteral("Сұраныс бойынша 7 термин табылды"));
    QStringList read;
    for (int i = 0; i < bar->childCount(); ++i) {
        if (bar->child(i)->role() == QAccessible::Notification)
            read.append(bar->child(i)->text(QAccessible::Name));
    }
    QCOMPARE(read, (QStringList{"Базада барлығы 40 термин бар", "Сұраныс бойынша 7 термин табылды"}));

    // A control's name is what the user sees on it; the explanation is extra.
    QCOMPARE(accessible(fixture_->form->BitBtn1)->role(), QAccessible::Button);
    QCOMPARE(accessible(fixture_->form->BitBtn1)->text(QAccessible::Name), QStringLiteral("Іздеу"));
    QCOMPARE(accessible(fixture_->form->BitBtn2)->role(), QAccessible::Button);
    QCOMPARE(accessible(fixture_->form->BitBtn2)->text(QAccessible::Name), QStringLiteral("Барлығы"));
    QCOMPARE(accessible(fixture_->form->BitBtn2)->text(QAccessible::Description), QStringLiteral("Барлық терминдерді көрсету"));
    QCOMPARE(accessible(fixture_->form->RadioGroup1)->text(QAccessible::Name), QStringLiteral("Іздеу түрі"));
    QCOMPARE(accessible(fixture_->form->RadioGroup2)->text(QAccessible::Name), QStringLiteral("Іздеу өрісі"));
    // Without a visible caption, a short Kazakh name.
    QCOMPARE(accessible(fixture_->form->DBGrid1)->text(QAccessible::Name), QStringLiteral("Табылған терминдер"));
    QCOMPARE(accessible(fixture_->form->Edit1)->text(QAccessible::Name), QStringLiteral("Іздейтін сөз"));

    // The category list is labelled by its name and the chosen entry.
    const auto labels = accessible(fixture_->form->ComboBox1)->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("Категория: Барлық категория"));
    fixture_->form->ComboBox1->setCurrentIndex(17);
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("Категория: Медицина"));
    // A radio button is not labelled by its group: the caption is heard once.
    for (QRadioButton *button : fixture_->form->RadioGroup1->Buttons())
        QVERIFY(accessible(button)->relations(QAccessible::Label).isEmpty());
}

void tst_Form1Layout::statusPanels()
{
    TStatusBar *bar = fixture_->form->StatusBar1;
    QCOMPARE(bar->PanelCount(), 2);
    QCOMPARE(bar->PanelRect(0), QRect(0, 0, 250, 19));
    QCOMPARE(bar->PanelRect(1), QRect(250, 0, 847, 19));
    fixture_->form->resize(1500, 600);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    QCOMPARE(bar->width(), 1500);
    QCOMPARE(bar->PanelRect(1), QRect(250, 0, 1250, 19));
    const auto panels = bar->findChildren<QLabel *>();
    QCOMPARE(panels.size(), 2);
    for (QLabel *panel : panels) {
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QVERIFY(panel->alignment() & Qt::AlignLeft);
    }
    QVERIFY(bar->findChild<QSizeGrip *>());
}

void tst_Form1Layout::radioButtonGeometry()
{
    struct TExpected { TRadioGroup *group; int width; int lefts[3]; };
    const TExpected expected[] = {{fixture_->form->RadioGroup1, 146, {8, 154, 300}}, {fixture_->form->RadioGroup2, 77, {8, 85, 162}}};
    for (const TExpected &e : expected) {
        for (int i = 0; i < 3; ++i)
            QCOMPARE(e.group->Buttons()[i]->geometry(), QRect(e.lefts[i], 14, e.width, 23));
    }
    fixture_->form->RadioGroup1->Buttons()[2]->click();
    QCOMPARE(fixture_->form->RadioGroup1->ItemIndex(), 2);
    QVERIFY(!fixture_->form->RadioGroup1->Buttons()[0]->isChecked());
    QCOMPARE(fixture_->form->RadioGroup2->ItemIndex(), 0);
}

void tst_Form1Layout::cueTextHiddenWhileFocused()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    TEdit *edit = fixture_->form->Edit1;
    QCOMPARE(edit->placeholderText(), edit->TextHint());
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    QVERIFY(edit->text().isEmpty());
    QVERIFY(edit->placeholderText().isEmpty());
    fixture_->form->DBGrid1->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->placeholderText(), edit->TextHint());
    // The cue is not content: an empty box searches for the empty text.
    QVERIFY(fixture_->form->ReadSearchRequest().Text.isEmpty());

    const QString longText(40000, u'ж');
    edit->setText(longText);
    QCOMPARE(edit->text().size(), longText.size());
}

void tst_Form1Layout::focusAndTabOrder()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    QCOMPARE(QApplication::focusWidget(), fixture_->form->DBGrid1);

    // The control that holds the focus: a radio button stands for its group.
    auto holder = [] {
        QWidget *focus = QApplication::focusWidget();
        if (focus && qobject_cast<TRadioGroup *>(focus->parentWidget()))
            focus = focus->parentWidget();
        return focus ? focus->objectName() : QString();
    };
    const QStringList forward = {"BitBtn1", "Edit1", "ComboBox1", "BitBtn2", "RadioGroup1", "RadioGroup2", "DBGrid1"};
    QStringList visited;
    for (int i = 0; i < forward.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(holder());
    }
    QCOMPARE(visited, forward);

    QStringList backward;
    for (int i = 0; i < forward.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward.append(holder());
    }
    QCOMPARE(backward, (QStringList{"RadioGroup2", "RadioGroup1", "BitBtn2", "ComboBox1", "Edit1", "BitBtn1", "DBGrid1"}));
}

void tst_Form1Layout::renderAtStart()
{
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    const QImage image = fixture_->form->grab().toImage();
    QCOMPARE(image.size(), fixture_->form->size() * fixture_->form->devicePixelRatioF());
    // The grid shows rows: its area is not one flat colour.
    const QRect gridArea = fixture_->form->DBGrid1->geometry().adjusted(20, 25, -5, -5);
    const QRgb corner = image.pixel(gridArea.topLeft());
    bool varied = false;
    for (int x = gridArea.left(); x < gridArea.right() && !varied; x += 3)
        varied = image.pixel(x, gridArea.top() + 5) != corner;
    QVERIFY(varied);
    // The indicator column marks the current row (the first) with a dark sign.
    const QHeaderView *indicator = fixture_->form->DBGrid1->verticalHeader();
    const QPoint origin = indicator->mapTo(fixture_->form.get(), QPoint(0, 0));
    int dark = 0;
    for (int y = 0; y < indicator->sectionSize(0); ++y) {
        for (int x = 0; x < indicator->width(); ++x)
            dark += qGray(image.pixel(origin + QPoint(x, y))) < 100;
    }
    QVERIFY(dark >= 4);
    const QByteArray shots = qgetenv("LEXARAN_SCREENSHOTS");
    if (!shots.isEmpty())
        QVERIFY(image.save(QString::fromLocal8Bit(shots) + QStringLiteral("/start.png")));
}

QTEST_MAIN(tst_Form1Layout)
#include "tst_form1layout.moc"
