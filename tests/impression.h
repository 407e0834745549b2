// How the tests print Qt texts in their failures. Included first in every
// test file (CMake forces it), so that one definition of gtest's printer of
// QString holds for all of them.
#pragma once

#include <QString>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
