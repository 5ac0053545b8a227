#pragma once
// The report tags the four rigid exposed bases print alike: the same quantity under the same tag
// in the same digits, whichever base holds it. Each base emits them among its own, in its
// template's order.

#include "design/common/tag_table.h"

namespace pedivo::rigidbase {

// The plate plan and the anchor bolt.
template <class Held>
inline const HeldTag<Held> planTags[] = {
    {"<#a>", &Held::a, ValueFormat::Plain},     {"<#c>", &Held::c, ValueFormat::Plain},
    {"<#bt>", &Held::bt, ValueFormat::Plain},   {"<#lt>", &Held::lt, ValueFormat::Plain},
    {"<#L>", &Held::L, ValueFormat::Plain},     {"<#B>", &Held::B, ValueFormat::Plain},
    {"<#dms>", &Held::dms, ValueFormat::Plain}, {"<#Aems>", &Held::Aems, ValueFormat::Plain},
};

// The concrete's strength, the friction, and the bolts' tension and strength.
template <class Held>
inline const HeldTag<Held> boltTensionTags[] = {
    {"<#fc>", &Held::fc, ValueFormat::Plain}, {"<#Vfb>", &Held::Vfb, ValueFormat::KN2},
    {"<#ta>", &Held::ta, ValueFormat::KN3},   {"<#Ntal>", &Held::Ntal, ValueFormat::KN3},
    {"<#fta>", &Held::fta, ValueFormat::Plain},
};

// The plate panel beside the web on three sides, its short side b21 and free edge a21.
template <class Held>
inline const HeldTag<Held> firstPanelTags[] = {
    {"<#b21>", &Held::b21, ValueFormat::Cut2}, {"<#a21>", &Held::a21, ValueFormat::Cut2},
    {"<#r11>", &Held::r11, ValueFormat::Cut2}, {"<#M221>", &Held::M221, ValueFormat::KN2},
};

// The panels beyond the flange and in the corner, the panel between the flanges, the largest
// moment, and the plate thickness from the panels and at the tension bolts.
template <class Held>
inline const HeldTag<Held> outerPanelTags[] = {
    {"<#b22>", &Held::b22, ValueFormat::Cut2},     {"<#a22>", &Held::a22, ValueFormat::Cut2},
    {"<#r12>", &Held::r12, ValueFormat::Cut2},     {"<#M222>", &Held::M222, ValueFormat::KN2},
    {"<#b23>", &Held::b23, ValueFormat::Cut2},     {"<#a23>", &Held::a23, ValueFormat::Cut2},
    {"<#r13>", &Held::r13, ValueFormat::Cut2},     {"<#M223>", &Held::M223, ValueFormat::KN2},
    {"<#b3>", &Held::b3, ValueFormat::Cut2},       {"<#a3>", &Held::a3, ValueFormat::Cut2},
    {"<#r2>", &Held::r2, ValueFormat::Cut2},       {"<#M224>", &Held::M224, ValueFormat::KN2},
    {"<#M2>", &Held::M2, ValueFormat::KN2},        {"<#tpbc>", &Held::tpbc, ValueFormat::Cut2},
    {"<#tpbt1>", &Held::tpbt1, ValueFormat::Cut2}, {"<#tpbt2>", &Held::tpbt2, ValueFormat::Cut2},
    {"<#tpbt>", &Held::tpbt, ValueFormat::Cut2},   {"<#tpb>", &Held::tpb, ValueFormat::Cut2},
};

// The welds of the column (and boot beams) to the plate, the strength f they are checked against
// and the welds' ffw.
template <class Held>
inline const HeldTag<Held> columnWeldTags[] = {
    {"<#AF>", &Held::AF, ValueFormat::Plain},     {"<#Aeww>", &Held::Aeww, ValueFormat::Plain},
    {"<#ylnc>", &Held::ylnc, ValueFormat::Cut3},  {"<#ylmc>", &Held::ylmc, ValueFormat::Cut3},
    {"<#ylv>", &Held::ylv, ValueFormat::Cut3},    {"<#ylf>", &Held::ylf, ValueFormat::Cut3},
    {"<#ylfs>", &Held::ylfs, ValueFormat::Cut3},  {"<#f>", &Held::f, ValueFormat::Plain},
    {"<#ffw>", &Held::ffw, ValueFormat::Plain},
};

// A stiffener's stresses and its welds'.
template <class Held>
inline const HeldTag<Held> stiffenerStressTags[] = {
    {"<#ylfR>", &Held::ylfR, ValueFormat::Cut3}, {"<#ylvR>", &Held::ylvR, ValueFormat::Cut3},
    {"<#ylnf>", &Held::ylnf, ValueFormat::Cut3}, {"<#ylvf>", &Held::ylvf, ValueFormat::Cut3},
    {"<#ylequ>", &Held::ylequ, ValueFormat::Cut3},
};

}  // namespace pedivo::rigidbase
