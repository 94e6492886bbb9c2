#include "Unit1.h"

#include "ExecutableDirectory.h"
#include "Form1Layout.h"
#include "Guarded.h"
#include "SearchSQL.h"
#include "TBusyCursor.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "WindowRules.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

QRect Geometry(const TControlLayout &control)
{
    return QRect(control.Left, control.Top, control.Width, control.Height);
}

QStringList Texts(std::span<const char16_t *const> items)
{
    QStringList texts;
    for (const char16_t *item : items)
        texts.append(Text(item));
    return texts;
}

QFont WindowFont()
{
    const QString family = QString::fromLatin1(kForm1.FontFamily);
    // Where Tahoma is missing, a face of similar width stands in at the same
    // pixel height, so that the captions fit their controls; failing that,
    // the platform's own sans-serif face.
    QFont::insertSubstitutions(family, {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kForm1.FontPixelHeight);
    return font;
}

// Entries of the category list all stand 16 pixels high.
class TFixedHeightDelegate : public QStyledItemDelegate
{
public:
    TFixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

private:
    int height_;
};

template <typename T>
T *Place(T *control, const char *name)
{
    const TControlLayout &layout = ControlLayout(name);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Geometry(layout));
    control->setAccessibleName(Text(layout.AccessibleName));
    return control;
}

QPushButton *MakeButton(QWidget *parent, const char *name)
{
    auto *button = Place(new QPushButton(Text(ControlLayout(name).Caption), parent), name);
    // Enter and Esc press neither button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

TRadioGroup *MakeRadioGroup(QWidget *parent, const char *name)
{
    const TControlLayout &layout = ControlLayout(name);
    auto *group = Place(new TRadioGroup(parent), name);
    group->setTitle(Text(layout.Caption));
    group->SetItems(Texts(layout.Items), QSize(layout.Width, layout.Height), kForm1.TextHeight);
    return group;
}

} // namespace

TForm1::TForm1(const QString &databaseDirectory, QWidget *parent)
    : QWidget(parent),
      SQLQuery1(&SQLConnection1),
      DataSetProvider1(&SQLQuery1),
      ClientDataSet1(&DataSetProvider1),
      databaseDirectory_(databaseDirectory)
{
    setObjectName(QStringLiteral("Form1"));
    ClientDataSet1.setObjectName(QStringLiteral("ClientDataSet1"));
    DataSource1.setObjectName(QStringLiteral("DataSource1"));
    DataSource1.SetDataSet(&ClientDataSet1);

    setWindowTitle(Text(kForm1.Caption));
    setFont(WindowFont());
    resize(kForm1.ClientWidth, kForm1.ClientHeight);
    CreateControls();
    SetTabOrder();

    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(BitBtn1); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(BitBtn2); }); });

    // The last step of construction: an error here is reported at once,
    // before the window is ever shown, and the window is still created.
    Guarded([this] { FormCreate(this); });
}

TForm1::~TForm1()
{
    // The grid outlives the data components (it is a Qt child, deleted after
    // the members), so it lets go of the model first.
    DBGrid1->SetDataSource(nullptr);
}

void TForm1::CreateControls()
{
    DBGrid1 = Place(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(&DataSource1);
    DBGrid1->verticalHeader()->setFixedWidth(kForm1.IndicatorWidth);
    DBGrid1->verticalHeader()->setDefaultSectionSize(kForm1.RowHeight);
    for (std::size_t i = 0; i < kGridColumns.size(); ++i)
        DBGrid1->setColumnWidth(int(i), kGridColumns[i].Width);

    StatusBar1 = Place(new TStatusBar(this), "StatusBar1");
    // The status bar speaks in the system's own font, not the window's.
    StatusBar1->setFont(QApplication::font());
    StatusBar1->SetPanels(kStatusPanelWidths);

    BitBtn1 = MakeButton(this, "BitBtn1");

    Edit1 = Place(new TEdit(this), "Edit1");
    Edit1->SetTextHint(Text(ControlLayout("Edit1").Caption));

    ComboBox1 = Place(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(8);
    ComboBox1->setItemDelegate(new TFixedHeightDelegate(kForm1.ListEntryHeight, ComboBox1));
    ComboBox1->addItems(Texts(ControlLayout("ComboBox1").Items));
    ComboBox1->setCurrentIndex(0);

    BitBtn2 = MakeButton(this, "BitBtn2");
    RadioGroup1 = MakeRadioGroup(this, "RadioGroup1");
    RadioGroup2 = MakeRadioGroup(this, "RadioGroup2");
}

void TForm1::SetTabOrder()
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (const TControlLayout &control : kForm1Controls) {
        if (control.TabOrder < 0)
            continue;
        auto *widget = findChild<QWidget *>(QString::fromLatin1(control.Name), Qt::FindDirectChildrenOnly);
        stops.emplace_back(control.TabOrder, widget);
    }
    std::sort(stops.begin(), stops.end(), [](const auto &a, const auto &b) { return a.first < b.first; });

    // A radio group is one stop: the focus enters it at its buttons.
    std::vector<QWidget *> chain;
    for (const auto &[order, widget] : stops) {
        if (auto *group = qobject_cast<TRadioGroup *>(widget)) {
            for (QWidget *button : group->Buttons())
                chain.push_back(button);
        } else {
            chain.push_back(widget);
        }
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // The grid, first in the order, takes the focus when the window opens.
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

TSearchRequest TForm1::ReadSearchRequest() const
{
    TSearchRequest request;
    request.Text = Edit1->text();
    request.MatchKind = TMatchKind(RadioGroup1->ItemIndex());
    request.Field = TSearchField(RadioGroup2->ItemIndex());
    request.CategoryIndex = ComboBox1->currentIndex();
    request.CategoryText = ComboBox1->currentText();
    return request;
}

void TForm1::FormCreate(QObject *)
{
    const QString directory = databaseDirectory_.isEmpty() ? ExecutableDirectory() : databaseDirectory_;
    TBusyCursor busy;
    SQLConnection1.Params.clear();
    SQLConnection1.Params.append(QStringLiteral("DriverName=Sqlite"));
    SQLConnection1.Params.append(QLatin1String("Database=") + directory + QLatin1String("termins.db"));
    SQLConnection1.Params.append(QStringLiteral("FailIfMissing=False"));
    SQLConnection1.SetConnected(true);

    SQLQuery1.SQL.Clear();
    SQLQuery1.SQL.Add(StartupSQL());
    SQLQuery1.Open();
    ClientDataSet1.Open();
    const int count = SQLQuery1.RecordCount();
    StatusBar1->SetPanelText(0, QStringLiteral("Базада барлығы ") + GroupDigits(QString::number(count))
                                    + QStringLiteral(" термин бар"));
}

void TForm1::BitBtn1Click(QObject *)
{
    const TSearchRequest request = ReadSearchRequest();
    TBusyCursor busy;
    SQLQuery1.SQL.Clear();
    for (const QString &line : ComposeSearchSQL(request))
        SQLQuery1.SQL.Add(line);
    SQLQuery1.Open();
    ClientDataSet1.Refresh();
    const int count = SQLQuery1.RecordCount();
    StatusBar1->SetPanelText(1, QStringLiteral("Сұраныс бойынша ") + GroupDigits(QString::number(count))
                                    + QStringLiteral(" термин табылды"));
}

void TForm1::BitBtn2Click(QObject *)
{
    TBusyCursor busy;
    SQLQuery1.SQL.Clear();
    SQLQuery1.SQL.Add(ShowAllSQL());
    SQLQuery1.Open();
    ClientDataSet1.Refresh();
}

void TForm1::FormResize(QObject *)
{
    // The rule works in physical pixels: its 50, 100 and 70 are not scaled.
    const qreal ratio = devicePixelRatioF();
    auto physical = [ratio](int logical) { return int(std::lround(logical * ratio)); };
    auto logical = [ratio](int pixels) { return int(std::lround(pixels / ratio)); };

    const QSize outer = frameGeometry().size();
    const TGridFit fit = FitGrid(QSize(physical(outer.width()), physical(outer.height())),
                                 physical(DBGrid1->y()));
    DBGrid1->resize(logical(fit.Width), logical(fit.Height));
    // Columns are addressed by where they stand now, not by their field.
    QHeaderView *titles = DBGrid1->horizontalHeader();
    for (int position = 0; position < int(fit.Columns.size()); ++position)
        titles->resizeSection(titles->logicalIndex(position), logical(fit.Columns[position]));
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Guarded([this] {
        if (!placed_) {
            placed_ = true;
            const QScreen *screen = this->screen();
            if (screen)
                move(DesktopCenterPosition(screen->virtualGeometry(), frameGeometry().size()));
            // On a monitor of another density the logical size stays while
            // the physical one changes, so the rule's physical constants
            // must be applied anew.
            if (QWindow *window = windowHandle())
                connect(window, &QWindow::screenChanged, this, [this] { Guarded([this] { FormResize(this); }); });
        }
        FormResize(this);
    });
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Guarded([this] {
        // The status bar is docked to the bottom edge, across the full width.
        const int barHeight = ControlLayout("StatusBar1").Height;
        StatusBar1->setGeometry(0, height() - barHeight, width(), barHeight);
        FormResize(this);
    });
}
