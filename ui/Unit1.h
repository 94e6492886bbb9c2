#pragma once

#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TDataSource.h"
#include "TSQLConnection.h"
#include "TSQLQuery.h"
#include "TSearchRequest.h"

#include <QWidget>

class QComboBox;
class QPushButton;
class TDBGrid;
class TEdit;
class TRadioGroup;
class TStatusBar;

// The dictionary's one window: the search controls across the top, the
// result grid below them and the status bar at the bottom. Its layout comes
// from the layout table; its four handlers drive the term store. The window
// owns every component; the widgets are its Qt children.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // `databaseDirectory` is where termins.db is looked for, ending in a
    // path separator; empty means the directory of the running executable.
    explicit TForm1(const QString &databaseDirectory = QString(), QWidget *parent = nullptr);
    ~TForm1() override;

    TDBGrid *DBGrid1;
    TStatusBar *StatusBar1;
    QPushButton *BitBtn1;
    TEdit *Edit1;
    QComboBox *ComboBox1;
    TSQLConnection SQLConnection1;
    TSQLQuery SQLQuery1;
    TDataSource DataSource1;
    TDataSetProvider DataSetProvider1;
    TClientDataSet ClientDataSet1;
    QPushButton *BitBtn2;
    TRadioGroup *RadioGroup1;
    TRadioGroup *RadioGroup2;

    void FormCreate(QObject *Sender);
    void BitBtn1Click(QObject *Sender);
    void BitBtn2Click(QObject *Sender);
    void FormResize(QObject *Sender);

    // The search request as the controls stand now.
    TSearchRequest ReadSearchRequest() const;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void SetTabOrder();
    // The window's outer geometry, frame and title bar included, as far as
    // the platform knows the frame yet.
    QRect OuterGeometry() const;
    void PlaceOnDesktop();
    // Looks whether the frame has come; `exposed`: the window is being
    // shown on screen for the first time.
    void FrameArrived(bool exposed);

    QString databaseDirectory_;
    bool placed_ = false;
    // From the first show until the window is first on screen, while the
    // window manager's frame may still come: until it does, the outer size
    // is the client size.
    bool awaitingFrame_ = false;
};
