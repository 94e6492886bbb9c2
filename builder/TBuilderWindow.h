#pragma once

#include "ColumnChoice.h"
#include "TermImport.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTemporaryDir;
class QTimer;

namespace lexaran::builder {

class TBuildJob;
class TPreviewModel;

// The builder's one window: choose a term list, see what the engine found in
// it and change the sheet and the columns, build the dictionary on a worker
// thread with its progress and a way to stop, read the summary, and put the
// result in place (a chosen file, or the dictionary of this Lexaran with the
// previous one kept as a backup). Every entry from Qt runs through the shell's
// guard; errors reach the user as one error box.
class TBuilderWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TBuilderWindow(QWidget *parent = nullptr);
    ~TBuilderWindow() override;

    // Takes `path` as the term list: inspects it and shows what it holds.
    // Throws the engine's refusal; the window then shows what it showed.
    void Choose(const QString &path);

    // The dictionary file of the last build; empty when none is ready.
    QString Built() const { return built_; }
    bool Building() const { return job_ != nullptr && running_; }

signals:
    // The build ended, whatever its outcome (for tests and the desktop).
    void BuildEnded();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ChooseClick();
    void SheetChange(int index);
    void ColumnChange(TTermSide side, int index);
    void BuildClick();
    void CancelClick();
    void SaveClick();
    void PlaceClick();
    void OpenClick();

    void ShowSource(const importer::TSourceInfo &info);
    void ShowColumns();
    void ShowProgress();
    void BuildFinished();
    void DropBuilt();
    void UpdateControls();
    QComboBox *ColumnBox(TTermSide side) const;

    QLineEdit *pathEdit_;
    QPushButton *chooseButton_;
    QFormLayout *sourceForm_;
    QLabel *kindLabel_;
    QComboBox *sheetBox_;
    QLabel *encodingLabel_;
    QLabel *separatorLabel_;
    QComboBox *rusBox_;
    QComboBox *kazBox_;
    QComboBox *catBox_;
    QTableView *preview_;
    TPreviewModel *previewModel_;
    QProgressBar *progress_;
    QLabel *rowsLabel_;
    QPushButton *buildButton_;
    QPushButton *cancelButton_;
    QPlainTextEdit *summary_;
    QPushButton *saveButton_;
    QPushButton *placeButton_;
    QPushButton *openButton_;
    QPushButton *closeButton_;
    QTimer *progressTimer_;

    QString path_;
    std::optional<importer::TSourceInfo> info_;
    importer::TImportOptions options_;
    std::unique_ptr<QTemporaryDir> scratch_;
    QString built_;
    std::unique_ptr<TBuildJob> job_;
    bool running_ = false;
    bool cancelled_ = false;
};

} // namespace lexaran::builder
