#include "FormFixture.h"

#include "FixtureDb.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

TFormFixture::TFormFixture(const std::vector<lexaran::tools::TTermEntry> &entries)
{
    lexaran::tools::WriteTermDatabase(Path(), entries);
    Open();
}

TFormFixture::TFormFixture(const QString &sql)
{
    MakeDatabase(Path(), sql);
    Open();
}

QString TFormFixture::Path() const
{
    return directory.filePath(QStringLiteral("termins.db"));
}

TForm1 &TFormFixture::Open()
{
    Close();
    form = std::make_unique<TForm1>(directory.path() + QLatin1Char('/'));
    tester = std::make_unique<QAbstractItemModelTester>(&form->DataSource1,
                                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    return *form;
}

void TFormFixture::Close()
{
    // The tester watches the window's model; it goes first.
    tester.reset();
    form.reset();
}

void TFormFixture::Search(const QString &text, TMatchKind kind, TSearchField field, int category)
{
    form->Edit1->setText(text);
    form->RadioGroup1->SetItemIndex(kind);
    form->RadioGroup2->SetItemIndex(field);
    form->ComboBox1->setCurrentIndex(category);
    form->BitBtn1->click();
}

void TFormFixture::ResizeOuter(const QSize &outer)
{
    form->resize(outer - (form->frameGeometry().size() - form->size()));
    QCOMPARE(form->frameGeometry().size(), outer);
}

int TFormFixture::GridRows() const
{
    return form->DBGrid1->model()->rowCount();
}

QString TFormFixture::Cell(int row, int column) const
{
    return form->DBGrid1->model()->index(row, column).data().toString();
}

QString TFormFixture::Panel(int panel) const
{
    return form->StatusBar1->PanelText(panel);
}

QStringList TFormFixture::Boxes() const
{
    return recorder.Texts();
}

QStringList EndFixture(std::unique_ptr<TFormFixture> &fixture)
{
    // The window goes before the recorder: closing it may still show a box.
    fixture->Close();
    const QStringList boxes = fixture->Boxes();
    fixture.reset();
    return boxes;
}
