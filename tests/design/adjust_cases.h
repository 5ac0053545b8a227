#pragma once
// Failing designs of several kinds, for the tests and the benchmark of 自动调整: a check that fails
// or a stop, for every rigid type, and a column no base can help.

#include <string>
#include <utility>
#include <vector>

namespace pedivo::adjustcases {

using Texts = std::vector<std::pair<std::string, std::string>>;

// Cases that fail a check or stop, of several kinds, for every rigid type.
inline const Texts narrowColumn{{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},  {"Edttf", "12"},  {"EdtN", "88"},
                         {"EdtV", "10"},   {"CBf", "Q345"},  {"CBfta", "Q345"}, {"CBfc", "C35"}, {"EdtM", "160"}};
inline const Texts tenBoltLayout{{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},  {"Edttf", "12"},  {"EdtN", "563"},
                          {"EdtV", "78"},   {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C35"}, {"EdtM", "28"}};
inline const Texts tWeldStop{{"Edthc", "900"}, {"Edtbf", "300"}, {"Edttw", "16"},  {"Edttf", "28"},  {"EdtN", "3456"},
                      {"EdtV", "295"},  {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C25"}, {"EdtM", "393"}};
inline const Texts fourBoltWeldStop{{"Edthc", "600"}, {"Edtbf", "200"}, {"Edttw", "11"},  {"Edttf", "17"}, {"EdtN", "2250"},
                             {"EdtV", "192"},  {"CBf", "Q345"},  {"CBfta", "Q345"}, {"CBfc", "C35"}};
// A boot-beam weld leg within its rounding of the leg the flange force needs.
inline const Texts channelWeld{{"Edthc", "194"}, {"Edtbf", "150"}, {"Edttw", "6"},  {"Edttf", "9"},  {"EdtN", "368"},
                        {"EdtV", "16"},   {"CBf", "Q235"},  {"CBfta", "Q345"}, {"CBfc", "C25"}, {"EdtM", "21"}};
// A ten-bolt layout 10 mm wider than the flange at detailing sizes, which other sizes fit.
inline const Texts tenBoltFits{{"Edthc", "400"}, {"Edtbf", "400"}, {"Edttw", "13"},  {"Edttf", "21"},  {"EdtN", "1160"},
                        {"EdtV", "73"},   {"CBf", "Q345"},  {"CBfta", "Q345"}, {"CBfc", "C25"}, {"EdtM", "502"}};
// A flange too narrow for the bolt layout of a plate base at any detailing spacing.
inline const Texts narrowFlange{{"Edthc", "250"}, {"Edtbf", "125"}, {"Edttw", "6"},  {"Edttf", "9"},  {"EdtN", "120"},
                         {"EdtV", "12"},   {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C30"}, {"EdtM", "40"}};
// The column itself cannot carry its moment: no base helps.
inline const Texts overstressedColumn{{"Edthc", "800"}, {"Edtbf", "300"}, {"Edttw", "14"},  {"Edttf", "26"},  {"EdtN", "214"},
                               {"EdtV", "30"},   {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C35"}, {"EdtM", "1171"}};

}  // namespace pedivo::adjustcases
