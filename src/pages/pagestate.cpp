#include "pages/pagestate.h"

namespace {
const QString kNoTitle = QStringLiteral("ohne Titel");
}

PageState::PageState() : PageTitle(kNoTitle) {}

void PageState::ClearPage() {
  ++Generation;
  Document.clear();
  PageAliases.Clear();
  KeyLinks.Clear();
  ColorNames.Clear();
  PageTitle = kNoTitle;
  EnterTarget.clear();
  ClickTarget.clear();
  ShowCommand.clear();
  WaitTarget.clear();
  WaitTime = 0;
  Body = BodyColors();
  BackgroundPicture.clear();
  BackgroundTile = {};
  FormColor.reset();
  Elements.Clear();
  Layout.Clear();
  if (!KeepMultipleChoice) Multiple.Clear();
  if (OnCleared) OnCleared();
}

QString PageState::GetVariable(const QString& name, const QString& fallback) const {
  return Variables.Value(name, fallback);
}

void PageState::SetVariable(const QString& name, const QString& value) { Variables.SetValue(name, value); }

bool PageState::IsCondition(const QString& name) const { return Bedingung.contains(name, Qt::CaseInsensitive); }

void PageState::SetCondition(const QString& name, bool on) {
  if (on) {
    if (!IsCondition(name)) Bedingung.append(name);
  } else {
    Bedingung.removeIf([&](const QString& c) { return c.compare(name, Qt::CaseInsensitive) == 0; });
  }
}

bool PageState::AskHost(QString& code) const {
  if (!SpecialCode) return false;
  SpecialCode(code);
  return true;
}

TColor PageState::ReadColor(const QString& value) const {
  const PageState* variables = (HTMLChild && Parent) ? Parent : this;
  ColorContext context;
  context.variable = [variables](const QString& name) { return variables->GetVariable(name); };
  context.names = &ColorNames;
  context.paletteEntry = PaletteEntry;
  return ::ReadColor(value, context);
}
