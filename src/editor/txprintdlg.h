#pragma once

#include <QDialog>
#include <functional>

#include "editor/carddocument.h"

class Environment;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TBibliothek;

// "Karteikarten drucken": the library's records as index cards from a
// template, the front and the back printed in two passes. The author
// chooses the word classes, the learner's score range (with a learner
// logged in), the pages, the cut lines and the back's shift, and sees the
// first page of each side before printing.
class TXPrintDlg : public QDialog {
  Q_OBJECT
 public:
  struct Services {
    Environment& env;
    TBibliothek& library;
    QPrinter& printer;
    bool learnerLoggedIn = false;
    // The template open dialog (the chosen file, or empty), and the
    // printer as the author chose it (its set-up the first time; true when
    // it can be used).
    std::function<QString(const QString& directory)> chooseTemplate;
    std::function<bool(QPrinter& printer)> setUpPrinter;
  };

  explicit TXPrintDlg(Services services, QWidget* parent = nullptr);

  QTabWidget* Tabs;
  QLineEdit* Name;
  QLabel* lWordsAvailable;
  QLabel* lWordsSelected;
  QLabel* TemplateInfo;
  QSlider* Versatz;
  QLabel* mm;
  QCheckBox* Wortarten[8];
  QGroupBox* Filter;
  QRadioButton* AlleVokabeln;
  QRadioButton* NurWerte;
  QLineEdit* FromV;
  QLineEdit* ToV;
  QRadioButton* AlleSeiten;
  QRadioButton* SeitenVon;
  QLineEdit* von;
  QLineEdit* bis;
  QCheckBox* Schnittlinien;
  QPushButton* VorlageLaden;
  QPushButton* VorderseitenDrucken;
  QPushButton* RueckseitenDrucken;
  QPushButton* Schliessen;
  QLabel* FrontPreview = nullptr;
  QLabel* BackPreview = nullptr;

  TDocument& Document() { return document_; }
  // Reads a template; false (after the message) when it cannot be read.
  bool LoadTemplate(const QString& path);
  // "Vorlage laden": the open dialog, then the template chosen.
  void ChooseTemplate();
  // The records of the ticked word classes and the score range.
  void SelectRecords();
  // The page fields corrected to the pages there are.
  void CorrectPages();
  // Prints the chosen pages of one side; false when nothing was printed.
  bool PrintSide(bool back);
  // The template's corrections, shown once per template or printer.
  void ReportFitting();

 protected:
  void done(int result) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* createPagesTab();
  void correctRange();
  void refreshPageCount();
  void refreshPreviews();
  QPixmap preview(bool back, QSize size) const;
  void usePrinterPaper();

  Services services_;
  TDocument document_;
  bool fittingReported_ = false;
  bool correcting_ = false;
};
