#pragma once

#include <QString>

#include "data/GroupNodeData.h"

class StartupMessages;
class TableStore;

inline const QString kAllGoodsNodeName = QStringLiteral("ВСЕ ТОВАРЫ");
inline const QString kOtherGoodsNodeName = QStringLiteral("Прочие...");

// Fills the table Tree with the group and subgroup pairs that have products (from Price and
// Class, or from its cache "Tree.lst" in the working folder when that exists; a fresh build
// is saved there) and returns the group tree: the root "ВСЕ ТОВАРЫ", groups by name,
// and under each its subgroups by name and "Прочие..." for products without subgroup.
GroupTreeNode BuildGroupTree(TableStore &store, const QString &workFolder,
                             StartupMessages &messages);
