#pragma once

// A shadow that, with the cells above and below it in the same section, draws one rounded card: the
// first row shows the top end, the last row the bottom end, every row both sides. The free function
// stands for the cell member of the same name.

#include <Foundation/IndexPath.h>
#include <UIKit/UITableView.h>
#include <UIKit/UITableViewCell.h>

namespace kerbelin {

// Works on the cell's `backgroundView` alone (a cell without one is left as it is): a red shadow of
// radius 3 and opacity 0.75 along a rounded path (radius 5) that runs 10 points past the top and
// bottom of the view, cut by a rectangular mask 20 points wider on each side. The first row starts
// its shadow at its own top and lets the mask show 10 points above it; the last row ends its shadow
// at its own bottom and lets the mask show 10 points below; a lone row counts as a first row. Call it
// again whenever the cell is shown for another row: each call replaces the shadow path and the mask.
void addShadowToCellInTableView(ios::UITableViewCell& cell, ios::UITableView& tableView,
                                const ios::IndexPath& indexPath);

}  // namespace kerbelin
