#include "pages/elementtags.h"

#include "common/meaningtext.h"
#include "pages/pagebuilder.h"

namespace ElementTags {

QStringList SplitSolutions(const QString& text) { return SplitMeanings(text); }

bool Handle(const QString& name, TParser& p, BuildContext& ctx) {
  struct Entry {
    const char* name;
    void (*handler)(TParser&, BuildContext&);
  };
  static const Entry kTags[] = {
      {"A", LinkTag},         {"ONCLICK", OnClickTag}, {"CHECKBOX", CheckBoxTag}, {"MAP", MapTag},
      {"AREA", AreaTag},      {"BOX", BoxTag},         {"ELLIPSE", EllipseTag},   {"IMG", ImageTag},
      {"INPUT", InputTag},    {"EDIT", EditTag},       {"BUTTON", ButtonTag},     {"RECORDER", RecorderTag},
      {"MULTIPLE", MultipleTag}, {"KLOTZ", KlotzTag},  {"SATZ", SatzTag},
  };
  if (name == QLatin1String("/A")) {
    EndLinkTag(ctx);
    return true;
  }
  if (name == QLatin1String("/MAP")) return true;
  for (const Entry& e : kTags) {
    if (name == QLatin1String(e.name)) {
      e.handler(p, ctx);
      return true;
    }
  }
  return false;
}

}  // namespace ElementTags
