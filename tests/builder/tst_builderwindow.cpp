// The builder window against a stand-in engine: what a chosen term list shows,
// the sheet and the columns the user picks reaching the engine, the build with
// its summary, a cancel that stops at once and leaves nothing, the engine's
// refusals as one error box, and the keyboard's and screen reader's view.

#include "ErrorBoxRecorder.h"
#include "FakeEngine.h"
#include "TBuilderWindow.h"
#include "TPreviewModel.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using lexaran::builder::TBuilderWindow;
using lexaran::importer::TColumnMap;
using lexaran::importer::TImportOptions;
using lexaran::importer::TSourceInfo;
using lexaran::importer::TSourceKind;
using lexaran::importer::TTextEncoding;

namespace {

// The control the screen reader knows by `name`.
template <typename T>
T *Named(QWidget &window, const QString &name)
{
    for (T *widget : window.findChildren<T *>()) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (face && face->text(QAccessible::Name) == name)
            return widget;
    }
    return nullptr;
}

// The field that the caption `caption` stands beside (its buddy).
template <typename T>
T *Field(QWidget &window, const QString &caption)
{
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (label->buddy() && label->text().remove(u'&') == caption)
            return qobject_cast<T *>(label->buddy());
    }
    return nullptr;
}

QPushButton *Button(QWidget &window, const QString &name)
{
    return Named<QPushButton>(window, name);
}

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

void Drop(QWidget &window, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

// A workbook of two sheets whose columns stand in different orders.
void TwoSheets()
{
    ResetFakeEngine();
    FakeEngine().Sheets["Терминдер"] = TSourceInfo{
        .Kind = TSourceKind::Xlsx,
        .Sheets = {"Терминдер", "Қосымша"},
        .Sheet = "Терминдер",
        .ColumnCount = 3,
        .Header = {"Русский", "Казахский", "Категория"},
        .Columns = {.Rus = 0, .Kaz = 1, .Cat = 2},
        .Preview = {{"кислота", "қышқыл", "Химия"}, {"сила", "күш", "Физика"}},
    };
    FakeEngine().Sheets["Қосымша"] = TSourceInfo{
        .Kind = TSourceKind::Xlsx,
        .Sheets = {"Терминдер", "Қосымша"},
        .Sheet = "Қосымша",
        .ColumnCount = 4,
        .Header = {"№", "Саласы", "Орысша", "Қазақша"},
        .Columns = {.Rus = 2, .Kaz = 3, .Cat = 1},
        .Preview = {{"1", "Химия", "соль", "тұз"}},
    };
}

bool WaitBuild(TBuilderWindow &window, int milliseconds)
{
    QSignalSpy ended(&window, &TBuilderWindow::BuildEnded);
    return window.Building() ? ended.wait(milliseconds) : true;
}

} // namespace

class TestBuilderWindow : public QObject
{
    Q_OBJECT

private slots:
    void chosenWorkbook()
    {
        TwoSheets();
        TBuilderWindow window;
        window.show();
        Drop(window, "/terms/сөздік.xlsx");
        QCOMPARE(Field<QLabel>(window, "Түрі")->text(), QString("Excel кітабы (XLSX)"));
        QComboBox *sheet = Field<QComboBox>(window, "Парақ");
        QCOMPARE(Items(sheet), (QStringList{"Терминдер", "Қосымша"}));
        QVERIFY(sheet->isEnabled() && sheet->isVisible());
        QVERIFY(!Field<QLabel>(window, "Мәтін кодтауы")->isVisible());
        QComboBox *rus = Field<QComboBox>(window, "Орысша");
        QCOMPARE(Items(rus), (QStringList{"1-баған: Русский", "2-баған: Казахский", "3-баған: Категория"}));
        QCOMPARE(rus->currentIndex(), 0);
        QCOMPARE(Field<QComboBox>(window, "Саласы")->currentIndex(), 2);
        auto *preview = Field<QTableView>(window, "Алғашқы жолдар");
        QAbstractItemModelTester tester(preview->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(preview->model()->rowCount(), 2);
        QCOMPARE(preview->model()->index(1, 1).data().toString(), QString("күш"));
        QVERIFY(Button(window, "Сөздікті жасау")->isEnabled());
        QVERIFY(!Button(window, "Файл ретінде сақтау...")->isEnabled());

        // Another sheet: its own columns, found by the engine anew.
        sheet->setCurrentIndex(1);
        emit sheet->activated(1);
        QCOMPARE(FakeEngine().LastInspected->Sheet, QString("Қосымша"));
        QVERIFY(!FakeEngine().LastInspected->Columns);
        QCOMPARE(rus->count(), 4);
        QCOMPARE(rus->currentIndex(), 2);
        QCOMPARE(preview->model()->headerData(2, Qt::Horizontal).toString(), QString("Орысша\n3-баған: Орысша"));
    }

    void chosenText()
    {
        ResetFakeEngine();
        FakeEngine().Sheets[""] = TSourceInfo{.Kind = TSourceKind::DelimitedText,
                                             .Encoding = TTextEncoding::Utf8Bom,
                                             .Separator = u';',
                                             .ColumnCount = 3,
                                             .Preview = {{"а", "б", "в"}}};
        TBuilderWindow window;
        window.show();
        window.Choose("/terms/terms.csv");
        QCOMPARE(Field<QLabel>(window, "Түрі")->text(), QString("Бөлгішпен жазылған мәтін (CSV, TSV)"));
        QCOMPARE(Field<QLabel>(window, "Мәтін кодтауы")->text(), QString("UTF-8, BOM белгісімен"));
        QCOMPARE(Field<QLabel>(window, "Бөлгіш")->text(), QString("нүктелі үтір ( ; )"));
        QVERIFY(!Field<QComboBox>(window, "Парақ")->isVisible());
        QCOMPARE(Items(Field<QComboBox>(window, "Қазақша")), (QStringList{"1-баған", "2-баған", "3-баған"}));
    }

    // The mapping the user makes is the one the engine builds with; the
    // summary follows in the window and the file is ready to put in place.
    void buildWithMapping()
    {
        TwoSheets();
        FakeEngine().Summary.TermsWritten = 2;
        TBuilderWindow window;
        window.show();
        window.Choose("/terms/сөздік.xlsx");
        QComboBox *kaz = Field<QComboBox>(window, "Қазақша");
        kaz->setCurrentIndex(2);
        emit kaz->activated(2);
        QCOMPARE(Field<QComboBox>(window, "Саласы")->currentIndex(), 1);
        QTest::mouseClick(Button(window, "Сөздікті жасау"), Qt::LeftButton);
        QVERIFY(WaitBuild(window, 10000));
        QVERIFY(FakeEngine().LastImported.has_value());
        QCOMPARE(FakeEngine().LastImported->Sheet, QString("Терминдер"));
        const TColumnMap map = FakeEngine().LastImported->Columns.value();
        QCOMPARE((QList<int>{map.Rus, map.Kaz, map.Cat}), (QList<int>{0, 2, 1}));
        QVERIFY(QFileInfo::exists(window.Built()));
        QCOMPARE(Field<QPlainTextEdit>(window, "Қорытынды")->toPlainText(), QString("Сөздікке жазылған термин: 2"));
        QVERIFY(Button(window, "Файл ретінде сақтау...")->isEnabled());
        QVERIFY(Button(window, "Lexaran сөздігінің орнына қою...")->isEnabled());

        // A changed mapping drops the file built by the old one.
        const QString built = window.Built();
        kaz->setCurrentIndex(1);
        emit kaz->activated(1);
        QVERIFY(window.Built().isEmpty());
        QVERIFY(!QFileInfo::exists(built));
        QVERIFY(!Button(window, "Lexaran сөздігінің орнына қою...")->isEnabled());
    }

    // Cancel stops the engine at its next report, and neither the output nor
    // its folder is left; closing the window during a build does the same.
    void cancelLeavesNothing()
    {
        TwoSheets();
        FakeEngine().Rows = 10000000;
        FakeEngine().MicrosecondsPerRow = 2;
        TBuilderWindow window;
        window.show();
        window.Choose("/terms/сөздік.xlsx");
        QTest::mouseClick(Button(window, "Сөздікті жасау"), Qt::LeftButton);
        QVERIFY(window.Building());
        QTRY_VERIFY_WITH_TIMEOUT(FakeEngine().RowsReported > 1000, 10000);
        // The window answers while the engine works: the row count moves.
        QTRY_VERIFY_WITH_TIMEOUT(Named<QLabel>(window, "Оқылған жол: 0") == nullptr, 5000);
        QPushButton *cancel = Button(window, "Тоқтату");
        QVERIFY(cancel->isEnabled());
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(WaitBuild(window, 5000));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(FakeEngine().RowsReported < FakeEngine().Rows);
        QVERIFY(window.Built().isEmpty());
        QVERIFY(!QFileInfo::exists(QFileInfo(FakeEngine().LastOutput).absolutePath()));
        QCOMPARE(Field<QPlainTextEdit>(window, "Қорытынды")->toPlainText(), QString("Тоқтатылды: сөздік жасалған жоқ."));
        QVERIFY(Button(window, "Сөздікті жасау")->isEnabled());
        QVERIFY(!Button(window, "Файл ретінде сақтау...")->isEnabled());

        // Closed while building.
        {
            TBuilderWindow closing;
            closing.show();
            closing.Choose("/terms/сөздік.xlsx");
            QTest::mouseClick(Button(closing, "Сөздікті жасау"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(FakeEngine().RowsReported > 1000, 10000);
            clock.restart();
            closing.close();
        }
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!QFileInfo::exists(QFileInfo(FakeEngine().LastOutput).absolutePath()));
    }

    void refusalsAsOneBox()
    {
        TwoSheets();
        TErrorBoxRecorder boxes;
        TBuilderWindow window;
        window.show();
        window.Choose("/terms/сөздік.xlsx");

        FakeEngine().InspectRefusal = "«бүлінген.xlsx» файлы бүлінген: оны Excel-де ашып, қайта сақтаңыз";
        Drop(window, "/terms/бүлінген.xlsx");
        QCOMPARE(boxes.Texts(), QStringList{FakeEngine().InspectRefusal + "."});
        // What was chosen before stays chosen.
        QCOMPARE(Field<QLabel>(window, "Түрі")->text(), QString("Excel кітабы (XLSX)"));

        FakeEngine().ImportRefusal = "«сөздік.xlsx», 7-жол: қазақ әріптері жоғалған (?)";
        QTest::mouseClick(Button(window, "Сөздікті жасау"), Qt::LeftButton);
        QVERIFY(WaitBuild(window, 10000));
        QCOMPARE(boxes.Texts().size(), 2);
        QCOMPARE(boxes.Texts().at(1), FakeEngine().ImportRefusal);
        QVERIFY(window.Built().isEmpty());
        QVERIFY(!QFileInfo::exists(QFileInfo(FakeEngine().LastOutput).absolutePath()));
    }

    // Tab visits the controls top to bottom; each field is read out by its
    // caption as it stands beside it.
    void keyboardAndNames()
    {
        TwoSheets();
        TBuilderWindow window;
        window.show();
        window.Choose("/terms/сөздік.xlsx");
        const QStringList want{"Файл", "Файлды таңдау...", "Парақ", "Орысша", "Қазақша", "Саласы", "Алғашқы жолдар",
                               "Сөздікті жасау", "Тоқтату", "Қорытынды", "Файл ретінде сақтау...",
                               "Lexaran сөздігінің орнына қою...", "Lexaran-ды ашу", "Жабу"};
        // The chain as Tab walks it (disabled controls keep their place in it).
        QStringList chain;
        QWidget *at = Field<QLineEdit>(window, want.front());
        QVERIFY(at);
        while (chain.size() < want.size()) {
            chain.append(at->accessibleName().isEmpty() ? QAccessible::queryAccessibleInterface(at)->text(QAccessible::Name)
                                                   : at->accessibleName());
            do
                at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(&window));
        }
        QCOMPARE(chain, want);
        QCOMPARE(at, Field<QLineEdit>(window, want.front()));
        for (QLabel *label : window.findChildren<QLabel *>()) {
            // A value found in the file reads out as itself.
            if (!label->buddy() || qobject_cast<QLabel *>(label->buddy()))
                continue;
            // A combo box reads out its chosen entry on Linux, and its
            // caption through the label's relation; the rest by the caption.
            QCOMPARE(label->buddy()->accessibleName(), label->text().remove(u'&'));
            if (!qobject_cast<QComboBox *>(label->buddy()))
                QCOMPARE(QAccessible::queryAccessibleInterface(label->buddy())->text(QAccessible::Name),
                         label->text().remove(u'&'));
        }
    }
};

QTEST_MAIN(TestBuilderWindow)
#include "tst_builderwindow.moc"
