#include "TBuilderWindow.h"

#include "AccessibleRoles.h"
#include "DictionaryPlace.h"
#include "ErrorBox.h"
#include "Guarded.h"
#include "RaisedRights.h"
#include "SummaryText.h"
#include "TBuildJob.h"
#include "TPreviewModel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace lexaran::builder {

using importer::TImportOptions;
using importer::TSourceInfo;
using importer::TSourceKind;
using shell::Guarded;

namespace {

// The kinds the engine reads, as the file dialog offers them.
QString TermListFilter()
{
    return QStringLiteral("Терминдер тізімі (*.xlsx *.ods *.csv *.tsv *.txt *.tbx);;"
                          "Excel кітабы (*.xlsx);;OpenDocument кестесі (*.ods);;"
                          "Бөлгішпен жазылған мәтін (*.csv *.tsv *.txt);;"
                          "Терминологиялық алмасу файлы (*.tbx);;Барлық файлдар (*)");
}

// A caption beside `field`: the label names the field for the keyboard (its
// mnemonic) and for the screen reader, by the same visible text. A field
// that is itself a label (a value found in the file) is read out as what it
// says, captioned through the label's relation.
QLabel *Caption(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    if (!qobject_cast<QLabel *>(field))
        field->setAccessibleName(QString(text).remove(u'&'));
    return label;
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

constexpr int ProgressSteps = 1000;

} // namespace

TBuilderWindow::TBuilderWindow(QWidget *parent)
    : QWidget(parent),
      pathEdit_(new QLineEdit),
      chooseButton_(new QPushButton(QStringLiteral("Файлды таң&дау..."))),
      sourceForm_(new QFormLayout),
      kindLabel_(new QLabel),
      sheetBox_(new QComboBox),
      encodingLabel_(new QLabel),
      separatorLabel_(new QLabel),
      rusBox_(new QComboBox),
      kazBox_(new QComboBox),
      catBox_(new QComboBox),
      preview_(new QTableView),
      previewModel_(new TPreviewModel(this)),
      progress_(new QProgressBar),
      rowsLabel_(new QLabel),
      buildButton_(new QPushButton(QStringLiteral("Сөздікті &жасау"))),
      cancelButton_(new QPushButton(QStringLiteral("Тоқ&тату"))),
      summary_(new QPlainTextEdit),
      saveButton_(new QPushButton(QStringLiteral("Файл ретінде сақта&у..."))),
      placeButton_(new QPushButton(QStringLiteral("Lexaran сөздігінің орнына қо&ю..."))),
      openButton_(new QPushButton(QStringLiteral("Lexaran-ды а&шу"))),
      closeButton_(new QPushButton(QStringLiteral("Жабу"))),
      progressTimer_(new QTimer(this))
{
    // A screen reader meets the window as a frame named by its title.
    ui::InstallAccessibleRole(staticMetaObject, QAccessible::Window);
    setWindowTitle(QStringLiteral("Lexaran сөздігін жасау"));
    setAcceptDrops(true);

    // What the term list holds.
    pathEdit_->setReadOnly(true);
    pathEdit_->setPlaceholderText(QStringLiteral("Файлды таңдаңыз немесе осы терезеге сүйреп әкеліңіз"));
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(pathEdit_, 1);
    pathRow->addWidget(chooseButton_);
    sourceForm_->addRow(Caption(QStringLiteral("&Файл"), pathEdit_), pathRow);
    sourceForm_->addRow(Caption(QStringLiteral("Түрі"), kindLabel_), kindLabel_);
    sourceForm_->addRow(Caption(QStringLiteral("&Парақ"), sheetBox_), sheetBox_);
    sourceForm_->addRow(Caption(QStringLiteral("Мәтін кодтауы"), encodingLabel_), encodingLabel_);
    sourceForm_->addRow(Caption(QStringLiteral("Бөлгіш"), separatorLabel_), separatorLabel_);
    auto *sourceGroup = new QGroupBox(QStringLiteral("Терминдер тізімі"));
    sourceGroup->setLayout(sourceForm_);

    // Which column feeds which side of a term.
    auto *columnsRow = new QHBoxLayout;
    for (auto [box, text] : {std::pair{rusBox_, QStringLiteral("&Орысша")}, std::pair{kazBox_, QStringLiteral("&Қазақша")},
                             std::pair{catBox_, QStringLiteral("&Саласы")}}) {
        columnsRow->addWidget(Caption(text, box));
        columnsRow->addWidget(box, 1);
    }
    auto *columnsGroup = new QGroupBox(QStringLiteral("Бағандар"));
    columnsGroup->setLayout(columnsRow);

    preview_->setModel(previewModel_);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
    preview_->setTabKeyNavigation(false);
    preview_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    preview_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    preview_->setWordWrap(false);
    auto *previewCaption = Caption(QStringLiteral("&Алғашқы жолдар"), preview_);

    // The build.
    progress_->setRange(0, ProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    rowsLabel_->setText(RowsReadText(0));
    auto *buildRow = new QHBoxLayout;
    buildRow->addWidget(Caption(QStringLiteral("Барысы"), progress_));
    buildRow->addWidget(progress_, 1);
    buildRow->addWidget(rowsLabel_);
    buildRow->addWidget(buildButton_);
    buildRow->addWidget(cancelButton_);

    summary_->setReadOnly(true);
    summary_->setTabChangesFocus(true);
    auto *summaryCaption = Caption(QStringLiteral("Қо&рытынды"), summary_);

    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(saveButton_);
    placeRow->addWidget(placeButton_);
    placeRow->addWidget(openButton_);
    placeRow->addStretch(1);
    placeRow->addWidget(closeButton_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceGroup);
    layout->addWidget(columnsGroup);
    layout->addWidget(previewCaption);
    layout->addWidget(preview_, 2);
    layout->addLayout(buildRow);
    layout->addWidget(summaryCaption);
    layout->addWidget(summary_, 1);
    layout->addLayout(placeRow);

    // The keyboard visits the controls as they stand, top to bottom.
    QWidget *order[] = {pathEdit_, chooseButton_, sheetBox_, rusBox_, kazBox_, catBox_, preview_, buildButton_,
                        cancelButton_, summary_, saveButton_, placeButton_, openButton_, closeButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(chooseButton_, &QPushButton::clicked, this, [this] { Guarded([this] { ChooseClick(); }); });
    connect(sheetBox_, &QComboBox::activated, this, [this](int index) { Guarded([this, index] { SheetChange(index); }); });
    for (TTermSide side : {TTermSide::Rus, TTermSide::Kaz, TTermSide::Cat}) {
        connect(ColumnBox(side), &QComboBox::activated, this,
                [this, side](int index) { Guarded([this, side, index] { ColumnChange(side, index); }); });
    }
    connect(buildButton_, &QPushButton::clicked, this, [this] { Guarded([this] { BuildClick(); }); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { Guarded([this] { CancelClick(); }); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { Guarded([this] { SaveClick(); }); });
    connect(placeButton_, &QPushButton::clicked, this, [this] { Guarded([this] { PlaceClick(); }); });
    connect(openButton_, &QPushButton::clicked, this, [this] { Guarded([this] { OpenClick(); }); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, [this] { Guarded([this] { ShowProgress(); }); });

    ShowSource(TSourceInfo{});
    resize(820, 660);
    UpdateControls();
    // The first thing to do is to choose a file.
    chooseButton_->setFocus();
}

TBuilderWindow::~TBuilderWindow()
{
    // A build still running stops before its window goes.
    job_.reset();
}

QComboBox *TBuilderWindow::ColumnBox(TTermSide side) const
{
    switch (side) {
    case TTermSide::Rus:
        return rusBox_;
    case TTermSide::Kaz:
        return kazBox_;
    case TTermSide::Cat:
        break;
    }
    return catBox_;
}

void TBuilderWindow::Choose(const QString &path)
{
    TSourceInfo info = importer::Inspect(path, TImportOptions{});
    DropBuilt();
    path_ = QFileInfo(path).absoluteFilePath();
    options_ = TImportOptions{.Sheet = info.Sheet, .Columns = info.Columns};
    info_ = std::move(info);
    pathEdit_->setText(Shown(path_));
    ShowSource(*info_);
    summary_->clear();
    progress_->setValue(0);
    rowsLabel_->setText(RowsReadText(0));
    UpdateControls();
}

void TBuilderWindow::ChooseClick()
{
    const QString start = path_.isEmpty() ? QDir::homePath() : QFileInfo(path_).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Терминдер тізімін таңдау"), start, TermListFilter());
    if (!path.isEmpty())
        Choose(path);
}

void TBuilderWindow::SheetChange(int index)
{
    if (!info_ || index < 0 || index >= info_->Sheets.size() || info_->Sheets.at(index) == options_.Sheet)
        return;
    // Another sheet has its own header and columns: they are found anew.
    TSourceInfo info = importer::Inspect(path_, TImportOptions{.Sheet = info_->Sheets.at(index), .Columns = std::nullopt});
    DropBuilt();
    options_ = TImportOptions{.Sheet = info.Sheet, .Columns = info.Columns};
    info_ = std::move(info);
    ShowSource(*info_);
    UpdateControls();
}

void TBuilderWindow::ColumnChange(TTermSide side, int index)
{
    if (!info_ || !options_.Columns || index < 0)
        return;
    const importer::TColumnMap map = WithColumn(*options_.Columns, side, index);
    if (map.Rus == options_.Columns->Rus && map.Kaz == options_.Columns->Kaz && map.Cat == options_.Columns->Cat)
        return;
    DropBuilt();
    options_.Columns = map;
    ShowColumns();
    previewModel_->SetColumns(map);
    UpdateControls();
}

void TBuilderWindow::ShowSource(const TSourceInfo &info)
{
    const bool chosen = info_.has_value();
    const bool spreadsheet = info.Kind == TSourceKind::Xlsx || info.Kind == TSourceKind::Ods;
    const bool text = info.Kind == TSourceKind::DelimitedText;
    kindLabel_->setText(chosen ? KindCaption(info.Kind) : QStringLiteral("—"));
    sheetBox_->clear();
    sheetBox_->addItems(info.Sheets);
    sheetBox_->setCurrentIndex(static_cast<int>(info.Sheets.indexOf(info.Sheet)));
    encodingLabel_->setText(chosen && text ? EncodingCaption(info.Encoding) : QStringLiteral("—"));
    separatorLabel_->setText(chosen && text ? SeparatorCaption(info.Separator) : QStringLiteral("—"));
    sourceForm_->setRowVisible(sheetBox_, !chosen || spreadsheet);
    sourceForm_->setRowVisible(encodingLabel_, !chosen || text);
    sourceForm_->setRowVisible(separatorLabel_, !chosen || text);
    previewModel_->SetSource(info);
    ShowColumns();
}

void TBuilderWindow::ShowColumns()
{
    const int columns = info_ && info_->Kind != TSourceKind::Tbx ? previewModel_->columnCount() : 0;
    for (TTermSide side : {TTermSide::Rus, TTermSide::Kaz, TTermSide::Cat}) {
        QComboBox *box = ColumnBox(side);
        const QSignalBlocker quiet(box);
        box->clear();
        for (int column = 0; column < columns; ++column)
            box->addItem(ColumnCaption(info_->Header, column));
        box->setCurrentIndex(options_.Columns && columns > 0 ? ColumnOf(*options_.Columns, side) : -1);
    }
}

void TBuilderWindow::BuildClick()
{
    if (!info_ || Building())
        return;
    DropBuilt();
    scratch_ = std::make_unique<QTemporaryDir>();
    if (!scratch_->isValid())
        throw std::runtime_error(QStringLiteral("Уақытша қалта жасалмады: %1. Дискіде орын барын тексеріңіз")
                                     .arg(scratch_->errorString())
                                     .toStdString());
    const QString output = scratch_->filePath(QStringLiteral("termins.db"));
    job_ = std::make_unique<TBuildJob>(path_, output, options_);
    connect(job_.get(), &TBuildJob::Finished, this, [this] { Guarded([this] { BuildFinished(); }); });
    running_ = true;
    cancelled_ = false;
    summary_->clear();
    progress_->setValue(0);
    rowsLabel_->setText(RowsReadText(0));
    job_->Start();
    progressTimer_->start();
    UpdateControls();
    cancelButton_->setFocus();
}

void TBuilderWindow::CancelClick()
{
    if (!Building())
        return;
    cancelled_ = true;
    job_->Cancel();
    UpdateControls();
}

void TBuilderWindow::ShowProgress()
{
    if (!job_)
        return;
    const importer::TProgress progress = job_->Progress();
    rowsLabel_->setText(RowsReadText(progress.RowsRead));
    if (progress.BytesTotal > 0)
        progress_->setValue(static_cast<int>(progress.BytesRead * ProgressSteps / progress.BytesTotal));
}

void TBuilderWindow::BuildFinished()
{
    progressTimer_->stop();
    running_ = false;
    ShowProgress();
    const TBuildJob::TOutcome outcome = job_->Outcome();
    if (outcome == TBuildJob::TOutcome::Written && !cancelled_) {
        built_ = scratch_->filePath(QStringLiteral("termins.db"));
        progress_->setValue(ProgressSteps);
        summary_->setPlainText(SummaryText(job_->Summary()));
        UpdateControls();
        emit BuildEnded();
        saveButton_->setFocus();
        return;
    }
    // Stopped or refused: nothing of the build stays.
    scratch_.reset();
    progress_->setValue(0);
    summary_->setPlainText(outcome == TBuildJob::TOutcome::Refused
                               ? QStringLiteral("Сөздік жасалған жоқ.")
                               : QStringLiteral("Тоқтатылды: сөздік жасалған жоқ."));
    const std::exception_ptr error = outcome == TBuildJob::TOutcome::Refused ? job_->Error() : nullptr;
    UpdateControls();
    buildButton_->setFocus();
    emit BuildEnded();
    if (error)
        HandleException(error);
}

void TBuilderWindow::DropBuilt()
{
    built_.clear();
    scratch_.reset();
    summary_->clear();
}

void TBuilderWindow::SaveClick()
{
    if (built_.isEmpty())
        return;
    const QString start = QFileInfo(path_).absoluteDir().filePath(QStringLiteral("termins.db"));
    const QString target = QFileDialog::getSaveFileName(this, QStringLiteral("Сөздікті сақтау"), start,
                                                        QStringLiteral("Lexaran сөздігі (*.db)"));
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(path_).absoluteFilePath())
        throw std::runtime_error(QStringLiteral("Сөздік терминдер тізімінің өз файлына жазылмайды: басқа атау таңдаңыз").toStdString());
    const QString backup = PutInPlace(built_, target, BackupStamp(QDateTime::currentDateTime()));
    summary_->appendPlainText(QString());
    summary_->appendPlainText(QStringLiteral("Сөздік сақталды: %1").arg(Shown(target)));
    if (!backup.isEmpty())
        summary_->appendPlainText(QStringLiteral("Бұрынғы файл сақталды: %1").arg(Shown(backup)));
}

void TBuilderWindow::PlaceClick()
{
    if (built_.isEmpty())
        return;
    const QString dictionary = LexaranDictionary();
    const QString stamp = BackupStamp(QDateTime::currentDateTime());
    const bool present = QFileInfo::exists(dictionary);
    const QString question =
        present ? QStringLiteral("Lexaran сөздігі «%1» жаңа сөздікпен ауыстырылсын ба?\n\n"
                                 "Бұрынғы сөздік оның қасында «%2» деген атпен сақталады.")
                      .arg(Shown(dictionary), QFileInfo(BackupPath(dictionary, stamp)).fileName())
                : QStringLiteral("Жаңа сөздік Lexaran сөздігі ретінде «%1» болып жазылсын ба?").arg(Shown(dictionary));
    if (QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;

    QString backup;
    if (CanWriteIn(QFileInfo(dictionary).absolutePath())) {
        backup = PutInPlace(built_, dictionary, stamp);
    } else {
        // Only this step runs with raised rights, in a run of its own.
        setEnabled(false);
        try {
            PutInPlaceWithRights(built_, stamp);
        } catch (...) {
            setEnabled(true);
            throw;
        }
        setEnabled(true);
        if (present)
            backup = BackupPath(dictionary, stamp);
    }
    summary_->appendPlainText(QString());
    summary_->appendPlainText(QStringLiteral("Lexaran сөздігі ауыстырылды: %1").arg(Shown(dictionary)));
    if (!backup.isEmpty())
        summary_->appendPlainText(QStringLiteral("Бұрынғы сөздік сақталды: %1").arg(Shown(backup)));
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("Жаңа сөздік орнына қойылды. Lexaran ашылсын ба?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes)
        OpenClick();
}

void TBuilderWindow::OpenClick()
{
    const QString program = LexaranProgram();
    if (!QProcess::startDetached(program, {}, QFileInfo(program).absolutePath()))
        throw std::runtime_error(QStringLiteral("Lexaran «%1» іске қосылмады. Бағдарлама орнатылғанын тексеріңіз")
                                     .arg(Shown(program))
                                     .toStdString());
}

void TBuilderWindow::UpdateControls()
{
    const bool building = Building();
    const bool chosen = info_.has_value();
    const bool columns = chosen && info_->Kind != TSourceKind::Tbx;
    chooseButton_->setEnabled(!building);
    sheetBox_->setEnabled(!building && chosen && info_->Sheets.size() > 1);
    for (TTermSide side : {TTermSide::Rus, TTermSide::Kaz, TTermSide::Cat})
        ColumnBox(side)->setEnabled(!building && columns);
    buildButton_->setEnabled(!building && chosen);
    cancelButton_->setEnabled(building && !cancelled_);
    saveButton_->setEnabled(!building && !built_.isEmpty());
    placeButton_->setEnabled(!building && !built_.isEmpty());
    if (building && cancelled_)
        rowsLabel_->setText(QStringLiteral("Тоқтатылуда..."));
}

void TBuilderWindow::dragEnterEvent(QDragEnterEvent *event)
{
    Guarded([&] {
        const QList<QUrl> urls = event->mimeData()->urls();
        if (!Building() && urls.size() == 1 && urls.front().isLocalFile())
            event->acceptProposedAction();
    });
}

void TBuilderWindow::dropEvent(QDropEvent *event)
{
    Guarded([&] {
        const QList<QUrl> urls = event->mimeData()->urls();
        if (Building() || urls.size() != 1 || !urls.front().isLocalFile())
            return;
        event->acceptProposedAction();
        Choose(urls.front().toLocalFile());
    });
}

void TBuilderWindow::closeEvent(QCloseEvent *event)
{
    Guarded([&] {
        // Closing during a build stops it; nothing of it stays.
        if (job_) {
            job_->Cancel();
            job_->Wait();
        }
        event->accept();
    });
}

} // namespace lexaran::builder
