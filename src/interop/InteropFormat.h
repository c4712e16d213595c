#ifndef INTEROP_FORMAT_H
#define INTEROP_FORMAT_H

// The outside formats an address book is imported from and exported to.
enum class ImportFormat { kDetect, kVCard, kCsv };
enum class ExportFormat { kVCard30, kVCard40, kCsv };

#endif // INTEROP_FORMAT_H
