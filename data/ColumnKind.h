#pragma once
// The kinds of value a column holds as the plant uses them. Resolved once when a result
// set opens, so reading and writing a field switch on a small number, not on type names.

#include <cstdint>

enum class ColumnKind : std::uint8_t {
    Text,         // a string; compared without regard to case
    Number,       // a double
    WholeNumber,  // the desktop engine's Long: a 32-bit whole number (references to auto-numbers)
    Money,        // the desktop engine's Currency: 4 decimals, within +/-922,337,203,685,477.5807
    Date,         // a calendar date
    DateTime,     // a date with the time of day
    YesNo,        // true or false
    AutoNumber,   // a whole number the engine assigns when a row is appended
    Other,        // a computed column or one of a table the catalogue does not describe
};

namespace ColumnKinds {

inline bool isNumeric(ColumnKind kind) {
    return kind == ColumnKind::Number || kind == ColumnKind::WholeNumber || kind == ColumnKind::Money ||
           kind == ColumnKind::AutoNumber;
}

// The name a column of the kind is declared with in the plant's file, by which the data
// layer and the field-definition files know its kind again ("" for Other). A server
// reports its columns under the same names.
inline const char *declaredName(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Text: return "TEXT";
    case ColumnKind::Number: return "DOUBLE";
    case ColumnKind::WholeNumber: return "LONG";
    case ColumnKind::Money: return "CURRENCY";
    case ColumnKind::Date: return "DATE";
    case ColumnKind::DateTime: return "DATETIME";
    case ColumnKind::YesNo: return "YESNO";
    case ColumnKind::AutoNumber: return "INTEGER";
    case ColumnKind::Other: break;
    }
    return "";
}

}  // namespace ColumnKinds
