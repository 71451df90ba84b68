#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "pages/colorvalue.h"
#include "pages/exercisecollection.h"
#include "pages/htmlformat.h"
#include "pages/pagetables.h"
#include "pages/txaliaslist.h"
#include "pages/txstyle.h"

// The page's colours set by BODY.
struct BodyColors {
  TColor Background = kWhite;                 // BGCOLOR (ColorBGR)
  TColor Text = kBlack;                       // TEXT (ColorTXT)
  TColor Link = RGBColor(0x00, 0x80, 0x00);   // LINK
  TColor Gap = kWhite;                        // GAP
  TColor Klotz = RGBColor(0xC0, 0xC0, 0xC0);  // KLOTZ
  TColor Kbgr = RGBColor(0x00, 0xFF, 0x00);   // KBGR; this value stands for the page background
  TColor MchAn = RGBColor(0xFF, 0x00, 0x00);  // MCHAN
  TColor MchAus = RGBColor(0x80, 0x80, 0x80); // MCHAUS
  bool operator==(const BodyColors&) const = default;
};

// One saved FontState per tag family; a later tag of the family overwrites it.
struct SaveSlots {
  FontState Link;
  FontState Font;
  FontState Heading;
  FontState Emphasis;
  FontState Teletype;
  FontState Pre;
};

// Everything one page control knows about its page apart from widgets and
// pixels: the document, the page tables, the variables and conditions that
// outlive the page, and the hooks through which the page asks its host.
class PageState {
 public:
  PageState();

  // Resets the per-page tables; variables, conditions, styles, history and
  // the exercise collection survive.
  void ClearPage();

  QString GetVariable(const QString& name, const QString& fallback = {}) const;
  void SetVariable(const QString& name, const QString& value);
  bool IsCondition(const QString& name) const;
  void SetCondition(const QString& name, bool on);

  // Asks the host for the text of a special code; false when no host listens.
  bool AskHost(QString& code) const;
  TColor ReadColor(const QString& value) const;

  // The document.
  tFormatted_text_list Document;
  tHTML_format CurrentFormat;
  SaveSlots Slots;

  // Links, boxes, pictures, fields and exercises of the page.
  PageElements Elements;
  // Positions of the laid-out page.
  TPageLayout Layout;
  // Multiple choice; kept while an exercise page is rebuilt.
  TMultipleChoice Multiple;
  bool KeepMultipleChoice = false;

  // Kept across pages.
  TXAliasList Variables;
  QStringList Bedingung;
  TXStyleList Styles;
  QStringList History;
  TExerciseCollection Exercises;

  // Cleared with every page.
  TXAliasList PageAliases;
  TXAliasList KeyLinks;
  TColorNames ColorNames;
  QString PageTitle;
  QString EnterTarget;
  QString ClickTarget;
  QString ShowCommand;
  QString WaitTarget;
  int WaitTime = 0;
  BodyColors Body;
  QString BackgroundPicture;
  // The background picture as loaded for drawing: once per page, not on
  // every redraw (Path names the picture it was loaded from).
  struct LoadedPicture {
    QString Path;
    QImage Image;
  } BackgroundTile;
  std::optional<TColor> FormColor;  // BODY FORM: colour for the parent window

  // Where the page comes from.
  QString XPath;        // directory of the current page (native, ending with "/")
  QString XFile;        // bare file name of the current page
  QString CurrentFile;  // XPath + XFile of the page being shown
  QString ProgramDir;   // the program's own directory

  QString Sonderzeichen;
  bool HTMLChild = false;
  PageState* Parent = nullptr;
  bool BuildingExercise = false;  // an exercise page of a collection is being built
  // Counts the pages shown: every ClearPage starts a new one. Work that lets
  // events through checks it to notice that its page has gone meanwhile.
  int Generation = 0;
  int Width = 800;
  int Height = 572;

  // Host hooks.
  std::function<void(QString& code)> SpecialCode;                // OnSpecialCode
  std::function<std::optional<TColor>(int index)> PaletteEntry;  // background picture palette
  std::function<void()> OnCleared;                               // sound: "close welle"
  // OnPictureRequest: the host draws the picture of a code into the image.
  std::function<void(const QString& code, QImage& picture)> PictureRequest;
};
