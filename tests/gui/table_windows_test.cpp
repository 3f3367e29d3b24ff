// The GOP and seconds windows opened from the main window on an analysed fixture: their grids
// against the engine's tables, export through the dialog in every format, and printing to PDF.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "tables/export_csv.h"
#include "tables/export_doc.h"
#include "tables/export_html.h"
#include "tables/export_xls.h"
#include "tables/gop_table.h"
#include "tables/qt/fexport.h"
#include "tables/qt/grid_print.h"
#include "tables/qt/pdialog.h"
#include "tables/qt/table_grid.h"
#include "tables/seconds_table.h"

namespace tessivo::test {

namespace {

constexpr const char* kFixture = "mpeg2_pal_interlaced.m2v";

QToolButton* Button(const QWidget* window, const char* name) {
  return window->findChild<QToolButton*>(QString::fromLatin1(name));
}

// The grid's texts in table coordinates, header row first.
std::vector<QStringList> GridRows(const view::TTableGrid& grid) {
  std::vector<QStringList> rows;
  for (int row = 0; row < grid.TableRowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < grid.TableColumnCount(); ++column) {
      cells << grid.CellText(row, column);
    }
    rows.push_back(cells);
  }
  return rows;
}

std::vector<QStringList> TableRows(const Table& table) {
  std::vector<QStringList> rows;
  for (size_t row = 0; row < table.rowCount(); ++row) {
    QStringList cells;
    for (size_t column = 0; column < table.columnCount(); ++column) {
      cells << QString::fromStdString(table.cell(row, column).text);
    }
    rows.push_back(cells);
  }
  return rows;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Format {
  const char* radio;
  const char* extension;
  Status (*write)(const Table&, const std::string&, PartialFileWatcher&);
};
constexpr Format kFormats[] = {
    {"RadioButton1", ".txt", SaveToCSV},
    {"RadioButton2", ".xls", SaveToXLS},
    {"RadioButton3", ".doc", SaveToDOC},
    {"RadioButton4", ".htm", SaveToHTML},
};

// Exports through the table window's export button with the format's radio button and name.
void ExportThroughDialog(view::TMainFrm& window, const char* tableButton, const char* tableWindow,
                         const char* radio, const QString& name) {
  WithModal(&window, Button(&window, tableButton), QString::fromLatin1(tableWindow),
            [&](QWidget* table) {
              WithModal(&window, Button(table, "SpeedButton2"), QStringLiteral("ExportFrm"),
                        [&](QWidget* exportFrm) {
                          exportFrm->findChild<QRadioButton*>(QString::fromLatin1(radio))->click();
                          exportFrm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(name);
                          exportFrm->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
                        });
            });
}

// pdftotext's lines with runs of blanks made single.
QStringList PdfLines(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!process.waitForFinished(20000)) return {};
  QStringList lines;
  for (QString line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
    lines << line.simplified();
  }
  return lines;
}

}  // namespace

class TableWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void gopWindowShowsTheGopTableWithItsAlignments() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    const Table table = BuildGopTable(window->context()->stores());
    QCOMPARE(table.rowCount(), size_t{7});  // six GOPs and the header

    std::vector<QStringList> shown;
    std::vector<Qt::Alignment> alignments;
    QAbstractItemView::SelectionBehavior selection{};
    WithModal(
        window.get(), Button(window.get(), "SpeedButton3"), QStringLiteral("GopFrm"),
        [&](QWidget* gopFrm) {
          QCOMPARE(gopFrm->windowTitle(), QStringLiteral("GOPs"));
          const auto* grid = gopFrm->findChild<view::TTableGrid*>(QStringLiteral("GOPs"));
          shown = GridRows(*grid);
          for (int column = 0; column < 8; ++column) {
            alignments.push_back(grid->CellTextAlignment(0, column));
            alignments.push_back(grid->CellTextAlignment(1, column) & Qt::AlignHorizontal_Mask);
          }
          selection = grid->selectionBehavior();
        });
    QCOMPARE(shown, TableRows(table));
    QCOMPARE(shown.front(), (QStringList{"Gop no.", "Timecode", "Pic n.", "Pictures", "Closed",
                                         "Broken l.", "Has SeqHdr", "Offset"}));
    QCOMPARE(shown[1][7], QStringLiteral("000001a"));
    const Qt::Alignment left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    const std::vector<Qt::Alignment> cells = {right,  centre, right,  left,
                                              centre, centre, centre, right};
    for (int column = 0; column < 8; ++column) {
      QVERIFY(alignments[2 * column] & Qt::AlignHCenter);
      QCOMPARE(alignments[2 * column + 1], cells[column]);
    }
    QCOMPARE(selection, QAbstractItemView::SelectRows);
  }

  void secondsWindowShowsTheValidSeconds() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    const RecordStores& stores = window->context()->stores();
    QVERIFY(stores.ValidSecondCount() > 1);
    std::vector<QStringList> shown;
    QAbstractItemView::SelectionMode mode{};
    WithModal(window.get(), Button(window.get(), "SpeedButton6"), QStringLiteral("SecondsFrm"),
              [&](QWidget* secondsFrm) {
                QCOMPARE(secondsFrm->windowTitle(), QStringLiteral("Seconds"));
                const auto* grid =
                    secondsFrm->findChild<view::TTableGrid*>(QStringLiteral("SGrid"));
                shown = GridRows(*grid);
                mode = grid->selectionMode();
              });
    QCOMPARE(shown.size(), size_t{stores.ValidSecondCount()} + 1);
    QCOMPARE(shown, TableRows(BuildSecondsTable(stores)));
    QCOMPARE(shown[1][0], QStringLiteral("1"));
    QCOMPARE(mode, QAbstractItemView::ContiguousSelection);
  }

  void exportWritesWhatTheEngineWriterWrites() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QTemporaryDir folder;
    const RecordStores& stores = window->context()->stores();
    const struct {
      const char* button;
      const char* window;
      Table table;
    } grids[] = {{"SpeedButton3", "GopFrm", BuildGopTable(stores)},
                 {"SpeedButton6", "SecondsFrm", BuildSecondsTable(stores)}};
    PartialFileWatcher quiet;
    for (const auto& grid : grids) {
      for (const Format& format : kFormats) {
        const QString stem = folder.filePath(QString::fromLatin1(grid.window));
        const QString viaDialog = stem + QStringLiteral("_dialog") + format.extension;
        const QString viaWriter = stem + QStringLiteral("_writer") + format.extension;
        ExportThroughDialog(*window, grid.button, grid.window, format.radio, viaDialog);
        QVERIFY(format.write(grid.table, viaWriter.toStdString(), quiet).ok());
        const QByteArray written = FileBytes(viaDialog);
        QVERIFY2(!written.isEmpty(), qPrintable(viaDialog));
        QCOMPARE(written, FileBytes(viaWriter));
      }
    }

    // A name without extension stays as typed; an empty one writes nothing.
    const QString bare = folder.filePath(QStringLiteral("bare"));
    ExportThroughDialog(*window, "SpeedButton3", "GopFrm", "RadioButton1", bare);
    QVERIFY(QFile::exists(bare));
    const qsizetype filesBefore = QDir(folder.path()).entryList(QDir::Files).size();
    ExportThroughDialog(*window, "SpeedButton3", "GopFrm", "RadioButton1", QString());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), filesBefore);

    const QString unwritable = folder.filePath(QStringLiteral("missing/gops.htm"));
    MessageBoxAnswer answer(QMessageBox::Ok);
    ExportThroughDialog(*window, "SpeedButton3", "GopFrm", "RadioButton4", unwritable);
    QCOMPARE(answer.texts(), QStringList{QStringLiteral("Cannot Create file ") + unwritable});
  }

  void exportFileDialogFollowsTheFormat() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QStringList filters;
    QString suffix;
    WithModal(window.get(), Button(window.get(), "SpeedButton3"), QStringLiteral("GopFrm"),
              [&](QWidget* gopFrm) {
                WithModal(
                    window.get(), Button(gopFrm, "SpeedButton2"), QStringLiteral("ExportFrm"),
                    [&](QWidget* exportFrm) {
                      exportFrm->findChild<QRadioButton*>(QStringLiteral("RadioButton4"))->click();
                      WithModal(window.get(),
                                exportFrm->findChild<QPushButton*>(QStringLiteral("Button1")),
                                QStringLiteral("SaveDialog1"), [&](QWidget* dialog) {
                                  auto* files = qobject_cast<QFileDialog*>(dialog);
                                  filters = files->nameFilters();
                                  suffix = files->defaultSuffix();
                                });
                    });
              });
    QCOMPARE(filters, QStringList{QStringLiteral("HTML files (*.htm)")});
    QCOMPARE(suffix, QStringLiteral("htm"));
  }

  void printingTheGopGridToPdfHoldsEveryRow() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("gops.pdf"));
    auto* pForm = window->findChild<view::TPForm*>(QStringLiteral("PForm"));
    pForm->printer().setOutputFormat(QPrinter::PdfFormat);
    pForm->printer().setOutputFileName(pdf);
    WithModal(window.get(), Button(window.get(), "SpeedButton3"), QStringLiteral("GopFrm"),
              [&](QWidget* gopFrm) {
                WithModal(window.get(), Button(gopFrm, "SpeedButton1"), QStringLiteral("PForm"),
                          [](QWidget* printing) {
                            QCOMPARE(printing->windowTitle(), QStringLiteral("Printing"));
                            printing->findChild<QPushButton*>(QStringLiteral("PrintB"))->click();
                          });
              });
    QVERIFY(QFile::exists(pdf));
    const QStringList lines = PdfLines(pdf);
    for (const QStringList& row : TableRows(BuildGopTable(window->context()->stores()))) {
      QVERIFY2(lines.contains(row.join(QLatin1Char(' '))), qPrintable(row.join(QLatin1Char(' '))));
    }
  }

  void printingToAPdfGoesThroughAPartialFileAndSaysWhenItCannot() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QTemporaryDir folder;
    auto* pForm = window->findChild<view::TPForm*>(QStringLiteral("PForm"));
    pForm->printer().setOutputFormat(QPrinter::PdfFormat);
    const auto print = [&] {
      WithModal(window.get(), Button(window.get(), "SpeedButton3"), QStringLiteral("GopFrm"),
                [&](QWidget* gopFrm) {
                  WithModal(window.get(), Button(gopFrm, "SpeedButton1"), QStringLiteral("PForm"),
                            [](QWidget* printing) {
                              printing->findChild<QPushButton*>(QStringLiteral("PrintB"))->click();
                            });
                });
    };
    // A name that is a link to another file: the PDF takes the name, the other file stays.
    const QString victim = folder.filePath(QStringLiteral("victim"));
    QFile precious(victim);
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.write("precious");
    precious.close();
    const QString linked = folder.filePath(QStringLiteral("gops.pdf"));
    QVERIFY(QFile::link(victim, linked));
    pForm->printer().setOutputFileName(linked);
    {
      MessageBoxAnswer answer(QMessageBox::Ok);
      print();
      QCOMPARE(answer.texts(), QStringList());
    }
    QVERIFY(!QFileInfo(linked).isSymLink());
    QVERIFY(
        PdfLines(linked).contains(QStringLiteral("Gop no. Timecode Pic n. Pictures Closed "
                                                 "Broken l. Has SeqHdr Offset")));
    QVERIFY(precious.open(QIODevice::ReadOnly));
    QCOMPARE(precious.readAll(), QByteArray("precious"));
    precious.close();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"gops.pdf", "victim"}));

    // A folder that does not exist: a message and no file.
    const QString missing = folder.filePath(QStringLiteral("missing/gops.pdf"));
    pForm->printer().setOutputFileName(missing);
    {
      MessageBoxAnswer answer(QMessageBox::Ok);
      print();
      QCOMPARE(answer.texts(), QStringList{QStringLiteral("Cannot Create file ") + missing});
    }
    QVERIFY(!QFile::exists(missing));
  }

  void exportAndPrintActOnTheGridHandedToThem() {
    // No table window and no main window: the dialogs take whichever grid is handed to them.
    Table first("First", 2);
    first.cell(first.AddRow(), 1) = TextCell("first table");
    Table second("Second", 2);
    second.cell(second.AddRow(), 1) = TextCell("second table");
    view::TTableGrid firstGrid(nullptr);
    firstGrid.Fill(first);
    view::TTableGrid secondGrid(nullptr);
    secondGrid.Fill(second);
    QWidget owner;
    auto* exportFrm = new view::TExportFrm(&owner);
    auto* pForm = new view::TPForm(&owner);
    QTemporaryDir folder;
    const auto exportTo = [&](const view::TTableGrid& grid, const QString& name) {
      WhenShown(&owner, QStringLiteral("ExportFrm"), [&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(name);
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
      });
      exportFrm->ShowFor(grid);
    };
    const QString firstText = folder.filePath(QStringLiteral("first.txt"));
    const QString secondText = folder.filePath(QStringLiteral("second.txt"));
    exportTo(firstGrid, firstText);
    exportTo(secondGrid, secondText);
    PartialFileWatcher quiet;
    const QString expected = folder.filePath(QStringLiteral("expected.txt"));
    QVERIFY(SaveToCSV(second, expected.toStdString(), quiet).ok());
    QCOMPARE(FileBytes(secondText), FileBytes(expected));
    QVERIFY(FileBytes(firstText).contains("first table"));

    const QString pdf = folder.filePath(QStringLiteral("second.pdf"));
    pForm->printer().setOutputFormat(QPrinter::PdfFormat);
    pForm->printer().setOutputFileName(pdf);
    WhenShown(&owner, QStringLiteral("PForm"), [](QWidget* dialog) {
      dialog->findChild<QPushButton*>(QStringLiteral("PrintB"))->click();
    });
    pForm->ShowFor(secondGrid);
    const QStringList lines = PdfLines(pdf);
    QVERIFY(lines.contains(QStringLiteral("second table")));
    QVERIFY(!lines.contains(QStringLiteral("first table")));
  }

  void printingALongWideTableContinuesOnFurtherPages() {
    constexpr int kWideCell = 60;
    // 300 rows need several pages; three columns of 60 characters cannot share a page width.
    Table table("Long", 3);
    for (int row = 0; row <= 300; ++row) {
      const size_t index = table.AddRow();
      for (size_t column = 0; column < 3; ++column) {
        const QString text = QStringLiteral("r%1c%2").arg(row).arg(column);
        table.cell(index, column) =
            TextCell(text.leftJustified(kWideCell, QLatin1Char('w')).toStdString());
      }
    }
    view::TTableGrid grid(nullptr);
    grid.Fill(table);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("long.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(view::PrintGrid(grid, printer));

    const QStringList lines = PdfLines(pdf);
    for (int row = 0; row <= 300; ++row) {
      for (int column = 0; column < 3; ++column) {
        const QString cell = QStringLiteral("r%1c%2").arg(row).arg(column);
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
          return line.split(QLatin1Char(' '))
              .contains(cell.leftJustified(kWideCell, QLatin1Char('w')));
        });
        QVERIFY2(found, qPrintable(cell));
      }
    }
    // Each column band starts on a fresh page.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(20000));
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    QVERIFY(pages.hasMatch());
    QVERIFY(pages.captured(1).toInt() >= 6);
  }
};

std::unique_ptr<QObject> MakeTableWindowsTest() {
  return std::make_unique<TableWindowsTest>();
}

}  // namespace tessivo::test

#include "table_windows_test.moc"
