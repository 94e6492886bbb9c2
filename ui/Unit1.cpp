#include "Unit1.h"

#include "AccessibleRoles.h"
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
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QWindow>

#include <algorithm>
#include <cmath>

#ifdef _WIN32
#include <windows.h>
#endif

using lexaran::shell::Guarded;

using namespace lexaran::ui;

namespace {

QRect Geometry(const TControlLayout &control)
{
    return QRect(control.Left, control.Top, control.Width, control.Height);
}

QStringList Texts(std::span<const char16_t *const> items)
{
    QStringList texts;
    for (const char16_t *item : items)
        texts.append(QString::fromUtf16(item));
    return texts;
}

// The frame around the client area as the platform has it now, in
// device-independent pixels.
QMargins FrameMargins(QWindow *window)
{
#ifdef _WIN32
    // Windows' own rectangles of the window. Qt's margins are the frame that
    // Windows computes for a window of this style, which is not always the
    // frame the window has (wine under an X11 window manager, for one).
    const auto handle = reinterpret_cast<HWND>(window->winId());
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    if (GetWindowRect(handle, &outer) && GetClientRect(handle, &client) && ClientToScreen(handle, &origin)) {
        const qreal ratio = window->devicePixelRatio();
        const auto logical = [ratio](long pixels) { return int(std::lround(qreal(pixels) / ratio)); };
        return QMargins(logical(origin.x - outer.left), logical(origin.y - outer.top),
                        logical(outer.right - origin.x - client.right),
                        logical(outer.bottom - origin.y - client.bottom));
    }
#endif
    return window->frameMargins();
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

// The category list opens as a list below the box on every style: some
// styles (Fusion among them) otherwise open a non-editable combo box as a
// menu over it, as tall as all its entries, ignoring the visible-entry count.
class TListPopupStyle : public QProxyStyle
{
public:
    explicit TListPopupStyle(QObject *parent) : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(parent);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

template <typename T>
T *Place(T *control, const char *name)
{
    const TControlLayout &layout = ControlLayout(name);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Geometry(layout));
    control->setAccessibleName(QString::fromUtf16(layout.AccessibleName));
    if (layout.AccessibleDescription)
        control->setAccessibleDescription(QString::fromUtf16(layout.AccessibleDescription));
    return control;
}

QPushButton *MakeButton(QWidget *parent, const char *name)
{
    auto *button = Place(new QPushButton(QString::fromUtf16(ControlLayout(name).Caption), parent), name);
    // Enter and Esc press neither button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

TRadioGroup *MakeRadioGroup(QWidget *parent, const char *name)
{
    const TControlLayout &layout = ControlLayout(name);
    auto *group = Place(new TRadioGroup(parent), name);
    group->SetCaption(QString::fromUtf16(layout.Caption));
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
    InstallAccessibleRole(TForm1::staticMetaObject, QAccessible::Window);
    InstallAccessibleRole(TStatusBar::staticMetaObject, QAccessible::StatusBar);
    InstallAccessibleRole(TStatusPanel::staticMetaObject, QAccessible::Notification);
    setObjectName(QStringLiteral("Form1"));
    ClientDataSet1.setObjectName(QStringLiteral("ClientDataSet1"));
    DataSource1.setObjectName(QStringLiteral("DataSource1"));
    DataSource1.SetDataSet(&ClientDataSet1);

    setWindowTitle(QString::fromUtf16(kForm1.Caption));
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
    std::vector<TDataSource::TColumn> columns;
    for (const TGridColumnLayout &column : kGridColumns)
        columns.push_back({QString::fromLatin1(column.FieldName), QString::fromUtf16(column.Title)});
    DataSource1.SetColumns(std::move(columns));

    DBGrid1 = Place(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(&DataSource1);
    DBGrid1->verticalHeader()->setFixedWidth(kForm1.IndicatorWidth);
    DBGrid1->verticalHeader()->setDefaultSectionSize(kForm1.RowHeight);
    for (std::size_t i = 0; i < kGridColumns.size(); ++i)
        DBGrid1->setColumnWidth(int(i), kGridColumns[i].Width);

    StatusBar1 = Place(new TStatusBar(this), "StatusBar1");
    // The status bar speaks in the system's own status-bar font, not the
    // window's. Qt hands that font out only under the class name of its own
    // status bar, which this one is not; the general application font is
    // another face on Windows.
    StatusBar1->setFont(QApplication::font("QStatusBar"));
    StatusBar1->SetPanels(kStatusPanelWidths);

    BitBtn1 = MakeButton(this, "BitBtn1");

    Edit1 = Place(new TEdit(this), "Edit1");
    Edit1->SetTextHint(QString::fromUtf16(ControlLayout("Edit1").Caption));

    ComboBox1 = Place(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(false);
    ComboBox1->setStyle(new TListPopupStyle(ComboBox1));
    ComboBox1->setMaxVisibleItems(8);
    ComboBox1->setItemDelegate(new TFixedHeightDelegate(kForm1.ListEntryHeight, ComboBox1));
    ComboBox1->addItems(Texts(ControlLayout("ComboBox1").Items));
    ComboBox1->setCurrentIndex(0);
    // On Linux Qt's combo box tells the accessibility bus its current entry
    // as its name, and takes its own name from a label that names it as its
    // buddy. The layout shows no such label, so one that is never shown
    // carries the list's name there, with the chosen entry: a screen reader
    // that meets the focused list reads its label alone, not its value.
    auto *listName = new QLabel(this);
    listName->setObjectName(QStringLiteral("ComboBox1Name"));
    listName->setBuddy(ComboBox1);
    listName->hide();
    const auto nameList = [this, listName] {
        listName->setText(ComboBox1->accessibleName() + QStringLiteral(": ") + ComboBox1->currentText());
    };
    nameList();
    connect(ComboBox1, &QComboBox::currentIndexChanged, listName, [nameList] { Guarded(nameList); });

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
    const QString directory = databaseDirectory_.isEmpty() ? lexaran::platform::ExecutableDirectory() : databaseDirectory_;
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

    const QSize outer = OuterGeometry().size();
    const TGridFit fit = FitGrid(QSize(physical(outer.width()), physical(outer.height())),
                                 physical(DBGrid1->y()));
    DBGrid1->resize(logical(fit.Width), logical(fit.Height));
    // Columns are addressed by where they stand now, not by their field.
    QHeaderView *titles = DBGrid1->horizontalHeader();
    for (int position = 0; position < int(fit.Columns.size()); ++position)
        titles->resizeSection(titles->logicalIndex(position), logical(fit.Columns[position]));
}

QRect TForm1::OuterGeometry() const
{
    // The platform window reads the frame's extents afresh whenever the
    // window manager changes them; the widget's own frame geometry can hold
    // extents read while the window was being reparented.
    if (QWindow *window = windowHandle())
        return geometry().marginsAdded(FrameMargins(window));
    return frameGeometry();
}

void TForm1::PlaceOnDesktop()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QPoint place = DesktopCenterPosition(screen->virtualGeometry(), OuterGeometry().size());
    QWindow *window = windowHandle();
    if (!window) {
        move(place);
        return;
    }
#ifdef _WIN32
    // The client area goes where the frame Windows reports puts the outer
    // corner on the centre rule's place.
    const QMargins frame = FrameMargins(window);
    window->setPosition(place + QPoint(frame.left(), frame.top()));
#else
    // The platform window places the frame's corner by the extents it knows
    // now; the widget would use those it read last.
    window->setFramePosition(place);
#endif
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Guarded([this] {
        if (!placed_) {
            placed_ = true;
            PlaceOnDesktop();
            if (QWindow *window = windowHandle()) {
                // On a monitor of another density the logical size stays
                // while the physical one changes, so the rule's physical
                // constants must be applied anew.
                connect(window, &QWindow::screenChanged, this, [this] { Guarded([this] { FormResize(this); }); });
                // An X11 window manager frames the window only when it maps
                // it, after this event; until then the outer size is the
                // client size. Without a window manager no frame ever comes
                // and the client size stays the outer size.
                awaitingFrame_ = window->frameMargins().isNull();
                if (awaitingFrame_)
                    window->installEventFilter(this);
            }
        }
        FormResize(this);
    });
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (awaitingFrame_ && watched == windowHandle()) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            Guarded([this] { FrameArrived(false); });
            break;
        case QEvent::Expose:
            Guarded([this] { FrameArrived(true); });
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::FrameArrived(bool exposed)
{
    QWindow *window = windowHandle();
    if (!awaitingFrame_ || !window)
        return;
    const QMargins frame = window->frameMargins();
    // While the window manager reparents the window, extents read from the
    // window tree can come out negative; a frame counts once it surrounds
    // the client area.
    const bool framed = !frame.isNull() && frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0
        && frame.bottom() >= 0;
    // A window manager sets the frame's extents before it maps the window,
    // so a window first seen without them has no frame, and the watch ends
    // there: from then on the user may move the window, and it stays where
    // the user puts it.
    if (!framed && !exposed)
        return;
    awaitingFrame_ = false;
    window->removeEventFilter(this);
    if (!framed)
        return;
    if (window->windowStates() == Qt::WindowNoState)
        PlaceOnDesktop();
    FormResize(this);
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
