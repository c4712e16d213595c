#ifndef WORD_SERVICES_CONSTANTS_H
#define WORD_SERVICES_CONSTANTS_H

#include <SupportDefs.h>

// A client asks for a request: int32 kWordServicesIndexField (the menu
// item), kWordServicesTargetField messengers (one per text).
const uint32 kMsgWordServicesBatch = 'Btch';
// A session tells the application that it has finished.
const uint32 kMsgWordServicesAbort = 'WSAb';
// The Word Services looper tells the application that a request could not
// start.
const uint32 kMsgWordServicesError = 'WSEr';
// The application tells the client that the request is over.
const uint32 kMsgWordServicesStop = 'WStp';

// The session's error for a menu index other than these two.
const status_t kWordServicesBadIndex = 'ErIx';
const int32 kWordServicesEmailIndex = 0;
const int32 kWordServicesPostalIndex = 1;

inline constexpr char kWordServicesIndexField[] = "Index";
inline constexpr char kWordServicesTargetField[] = "Target";

// The scripting properties a client target serves.
inline constexpr char kWordServicesSizeProperty[] = "Size";
inline constexpr char kWordServicesTextProperty[] = "Text";
inline constexpr char kWordServicesHiliteProperty[] = "BackgroundHilite";

// The largest text a session fetches from one target.
const int32 kWordServicesMaxText = 64 << 20;

#endif // WORD_SERVICES_CONSTANTS_H
