#pragma once
// Texts shared by the result windows and reports of the exposed bases.

#include <string>

namespace pedivo {

// The shear key is needed when the friction under the plate, 0.4·N, is less than V.
inline bool shearKeyNeeded(double Vfb, double V) { return Vfb < V; }
inline std::string shearKeyField(double Vfb, double V) { return shearKeyNeeded(Vfb, V) ? "需要" : "不需要"; }
inline std::string shearKeySentence(double Vfb, double V) {
  return shearKeyNeeded(Vfb, V) ? "V>0.4N 需要设置抗剪键" : "V<0.4N 不需设置抗剪键";
}

}  // namespace pedivo
