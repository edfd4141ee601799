#include "session/ControlLists.h"

template class CLockedOwningList<int>;
template class CLockedOwningList<COwnedObject>;
