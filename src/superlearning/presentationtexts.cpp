#include "superlearning/presentationtexts.h"

#include "superlearning/tsuperoptions.h"
#include "vocabulary/tbibliothek.h"

PresentationTexts::PresentationTexts(TBibliothek& library, TSuperOptions& options)
    : library_(library), options_(options) {
  options_.Alternation = false;
}

std::optional<TextItem> PresentationTexts::Next() {
  TextItem item;
  if (!library_.NextTextAlternating(item.text, item.sound, options_.Alternation,
                                    options_.Flag(SuperOption::Sprachausgabe)))
    return std::nullopt;
  return item;
}
