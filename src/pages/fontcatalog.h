#pragma once

#include <QString>

// Which font faces count as installed. The classic Windows faces count as
// installed when the system has a metric-compatible face for them
// ("Times New Roman", "Arial", "Courier New" through Liberation fonts).
namespace FontCatalog {

bool IsInstalled(const QString& faceName);

// The family that draws the face: the metric-compatible substitute where
// there is one, else the name itself.
QString FamilyFor(const QString& faceName);

}  // namespace FontCatalog
