#ifndef POSTAL_ADDRESS_H
#define POSTAL_ADDRESS_H

#include <string>
#include <vector>

class ABookRecord;

// The postal address of record as the clipboard command formats it (names,
// title, company, both address lines, then city, state and zip), each line
// with its runs of spaces made one and its ends trimmed; blank lines are
// dropped. A null record has no lines.
std::vector<std::string> PostalAddressLines(const ABookRecord* record);

// "First Name Last Name" of record, with the space only between two names.
std::string FullName(const ABookRecord* record);

#endif // POSTAL_ADDRESS_H
