#ifndef PREFS_H
#define PREFS_H

#include <SupportDefs.h>

// The preference store: per application name, named sets of typed data
// items, each set kept in one file under the settings directory:
//   <settings>/_LP_<application>/<set>                     per-user sets
//   <settings>/_LP_<application>/(libprefs common)/<set>   shared sets
// A set file holds an int32 byte count N (host order) and N bytes of a
// flattened BMessage; later bytes are left over from longer saves.
//
// Threads: every function may be called from any thread. One process-wide
// lock serialises them; it is held while waiting for another process's file
// lock during a load or save. Between processes every load, save and dispose
// holds an exclusive lock on the set file.
//
// Ownership: handles, sets and transactions belong to the library and are
// shared by reference counts; release each with the matching call.

struct _PREFHandle;
struct _PREFData;
struct _PREFTransaction;

// The data item does not exist; also PREFShutdown() when the handle was not
// freed.
inline constexpr status_t PREF_ERR_NOT_FOUND = static_cast<status_t>(0xa0b00000);
// The set's file path would not fit in 1024 bytes.
inline constexpr status_t PREF_ERR_NAME_TOO_LONG = static_cast<status_t>(0xa0b00001);
// The library lock or the transaction lock cannot be acquired.
inline constexpr status_t PREF_ERR_LOCK = static_cast<status_t>(0xa0b00002);

// The handle of an application name; the same name gives the same handle,
// counted once per call. B_BAD_VALUE for a name containing '/'.
status_t PREFInit(const char* applicationName, _PREFHandle** _handle);
// B_OK when this call freed the handle (disposing the sets still loaded for
// it), PREF_ERR_NOT_FOUND when it is still referenced or unknown.
status_t PREFShutdown(_PREFHandle* handle);

// Loads a set (user selects the per-user or the shared directory); a set
// already loaded for this handle is shared without reading its file. A missing
// file is created and loads empty, as does a file shorter than its count says.
// B_NO_MEMORY when the file cannot be parsed (nothing is loaded),
// PREF_ERR_NAME_TOO_LONG, B_NOT_A_DIRECTORY, B_ENTRY_NOT_FOUND or another
// platform code when the path cannot be built.
status_t PREFLoadSet(_PREFHandle* handle, const char* setName, bool user, _PREFData** _set);
// Writes the set's items to its file; the file is never shortened.
status_t PREFSaveSet(_PREFData* set);
// Drops one reference; the last one frees the set and sets *set to null.
// Unsaved changes are not written.
status_t PREFDisposeSet(_PREFData** set);

// Replaces the item name with one item of the given type and size bytes
// (changes memory only). B_BAD_VALUE for a null name or data, or a size that
// is not positive or does not suit the type; any earlier item then stays.
status_t PREFSetData(_PREFData* set, const char* name, const void* data, int32 size,
					 type_code type);
// The first value of the item name; *data points into the set and stays valid
// until the item is set again or the set is freed. PREF_ERR_NOT_FOUND when
// there is no such item (then *data is null and *size 0).
status_t PREFGetData(_PREFData* set, const char* name, const void** data, int32* size,
					 type_code* type);

// Opens and exclusively locks the set's file, or shares the transaction
// already open on it. Waits, without a time limit, while another process
// holds the file.
status_t PREFBeginTransaction(_PREFData* set, _PREFTransaction** _transaction);
// Ends one reference; the last one closes the file, dropping its lock.
status_t PREFEndTransaction(_PREFTransaction* transaction);

#endif // PREFS_H
