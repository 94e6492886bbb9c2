#pragma once

#include "ErrorBoxRecorder.h"
#include "TermFile.h"
#include "Unit1.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// The main window on a termins.db of its own in a fresh directory, with the
// error boxes it would show recorded (from the fixture's start to its end,
// so also those a closing window shows) and its grid's model checked by a
// model tester for as long as the window is open.
class TFormFixture
{
public:
    // An empty directory and no window yet: the test puts what it likes at
    // Path() and then calls Open().
    TFormFixture() = default;
    // A termins.db holding `entries`, and the window open on it (not shown).
    explicit TFormFixture(const std::vector<lexaran::tools::TTermEntry> &entries);
    // A termins.db made by running `sql`, and the window open on it (not shown).
    explicit TFormFixture(const QString &sql);
    TFormFixture(const TFormFixture &) = delete;
    TFormFixture &operator=(const TFormFixture &) = delete;

    // The termins.db the window reads.
    QString Path() const;

    // Creates the window on the directory, closing one that is open first.
    TForm1 &Open();
    // Destroys the window, as closing the program does.
    void Close();

    // Types `text`, picks the match kind, the field and the category, and
    // presses Search.
    void Search(const QString &text, TMatchKind kind = mkContains, TSearchField field = sfBoth, int category = 0);

    // Gives the window the outer size (frame included) that the resize rule
    // reads; fails the test when the window takes another one.
    void ResizeOuter(const QSize &outer);

    int GridRows() const;
    QString Cell(int row, int column) const;
    QString Panel(int panel) const;
    // The texts of the error boxes shown so far.
    QStringList Boxes() const;

    QTemporaryDir directory;
    TErrorBoxRecorder recorder;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

// Closes the fixture's window, drops the fixture and gives the texts of the
// boxes it recorded. A cleanup compares them after this, so that a failed
// comparison leaves neither the window nor the recorder behind.
QStringList EndFixture(std::unique_ptr<TFormFixture> &fixture);
