// Hands Qt's accessibility the interfaces of the program's self-drawn lists
// and boxes (TODComboBox and its subclasses, its drop-down TCBListBox, the
// large list box's TMyListBox rows). The controls install it themselves
// when the first of them is made; calling it again does nothing.
#pragma once

namespace lectora {

void InstallListAccessibility();

}  // namespace lectora
