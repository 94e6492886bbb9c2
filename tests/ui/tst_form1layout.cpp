#include "ErrorBoxRecorder.h"
#include "FixtureDb.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QSizeGrip>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_Form1Layout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAsDesigned();
    void creationOrder();
    void controls_data();
    void controls();
    void categoryList();
    void gridOptions();
    void statusPanels();
    void radioButtonGeometry();
    void cueTextHiddenWhileFocused();
    void focusAndTabOrder();
    void renderAtStart();

private:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<TErrorBoxRecorder> boxes_;
};

void tst_Form1Layout::init()
{
    boxes_ = std::make_unique<TErrorBoxRecorder>();
    directory_ = std::make_unique<QTemporaryDir>();
    MakeDatabase(directory_->filePath(QStringLiteral("termins.db")), TermTableSql(40));
    form_ = std::make_unique<TForm1>(directory_->path() + QLatin1Char('/'));
}

void tst_Form1Layout::cleanup()
{
    form_.reset();
    directory_.reset();
    const QStringList shown = boxes_->Texts();
    boxes_.reset();
    QCOMPARE(shown, QStringList());
}

void tst_Form1Layout::windowAsDesigned()
{
    QCOMPARE(form_->windowTitle(), QStringLiteral("Lexaran - терминдер қоры "));
    QCOMPARE(form_->size(), QSize(1097, 568));
    QCOMPARE(form_->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(form_->font().pixelSize(), 11);
    QVERIFY(form_->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form_->minimumSize(), QSize(0, 0));
    // The status bar speaks in the system's font, every other control in the window's.
    QCOMPARE(form_->StatusBar1->font().family(), QApplication::font().family());
    QCOMPARE(form_->StatusBar1->font().pointSizeF(), QApplication::font().pointSizeF());
    QCOMPARE(form_->Edit1->font().pixelSize(), 11);
}

void tst_Form1Layout::creationOrder()
{
    const QStringList creationOrder = {"DBGrid1", "StatusBar1", "BitBtn1", "Edit1", "ComboBox1", "BitBtn2", "RadioGroup1", "RadioGroup2"};
    QStringList created;
    for (QObject *child : form_->children()) {
        if (child->isWidgetType())
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

    auto *widget = form_->findChild<QWidget *>(name);
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
    } else if (auto *edit = qobject_cast<TEdit *>(widget)) {
        QCOMPARE(edit->TextHint(), caption);
        QVERIFY(edit->text().isEmpty());
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        QCOMPARE(list->currentText(), caption);
    } else if (auto *group = qobject_cast<TRadioGroup *>(widget)) {
        QCOMPARE(group->title(), caption);
        QCOMPARE(group->ItemIndex(), 0);
        QStringList texts;
        for (QRadioButton *button : group->Buttons()) {
            texts.append(button->text());
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), button->text());
        }
        QCOMPARE(texts, items);
    }

    // Showing a larger window fits only the grid and the status bar to it.
    form_->resize(1400, 700);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    if (name == QLatin1String("StatusBar1"))
        QCOMPARE(widget->geometry(), QRect(0, form_->height() - 19, form_->width(), 19));
    else if (!followsWindow)
        QCOMPARE(widget->geometry(), geometry);
    else
        QVERIFY(widget->size() != geometry.size());
}

void tst_Form1Layout::categoryList()
{
    QComboBox *list = form_->ComboBox1;
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

void tst_Form1Layout::gridOptions()
{
    TDBGrid *grid = form_->DBGrid1;
    QCOMPARE(grid->model(), &form_->DataSource1);
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
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QString first = grid->model()->index(0, 0).data().toString();
    QHeaderView *header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), first);
}

void tst_Form1Layout::statusPanels()
{
    TStatusBar *bar = form_->StatusBar1;
    QCOMPARE(bar->PanelCount(), 2);
    QCOMPARE(bar->PanelRect(0), QRect(0, 0, 250, 19));
    QCOMPARE(bar->PanelRect(1), QRect(250, 0, 847, 19));
    form_->resize(1500, 600);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
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
    const TExpected expected[] = {{form_->RadioGroup1, 146, {8, 154, 300}}, {form_->RadioGroup2, 77, {8, 85, 162}}};
    for (const TExpected &e : expected) {
        for (int i = 0; i < 3; ++i)
            QCOMPARE(e.group->Buttons()[i]->geometry(), QRect(e.lefts[i], 14, e.width, 23));
    }
    form_->RadioGroup1->Buttons()[2]->click();
    QCOMPARE(form_->RadioGroup1->ItemIndex(), 2);
    QVERIFY(!form_->RadioGroup1->Buttons()[0]->isChecked());
    QCOMPARE(form_->RadioGroup2->ItemIndex(), 0);
}

void tst_Form1Layout::cueTextHiddenWhileFocused()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    TEdit *edit = form_->Edit1;
    QCOMPARE(edit->placeholderText(), edit->TextHint());
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    QVERIFY(edit->text().isEmpty());
    QVERIFY(edit->placeholderText().isEmpty());
    form_->DBGrid1->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->placeholderText(), edit->TextHint());
    // The cue is not content: an empty box searches for the empty text.
    QVERIFY(form_->ReadSearchRequest().Text.isEmpty());

    const QString longText(40000, u'ж');
    edit->setText(longText);
    QCOMPARE(edit->text().size(), longText.size());
}

void tst_Form1Layout::focusAndTabOrder()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), form_->DBGrid1);

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
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QImage image = form_->grab().toImage();
    QCOMPARE(image.size(), form_->size() * form_->devicePixelRatioF());
    // The grid shows rows: its area is not one flat colour.
    const QRect gridArea = form_->DBGrid1->geometry().adjusted(20, 25, -5, -5);
    const QRgb corner = image.pixel(gridArea.topLeft());
    bool varied = false;
    for (int x = gridArea.left(); x < gridArea.right() && !varied; x += 3)
        varied = image.pixel(x, gridArea.top() + 5) != corner;
    QVERIFY(varied);
    // The indicator column marks the current row (the first) with a dark sign.
    const QHeaderView *indicator = form_->DBGrid1->verticalHeader();
    const QPoint origin = indicator->mapTo(form_.get(), QPoint(0, 0));
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
