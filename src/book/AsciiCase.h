#ifndef ASCII_CASE_H
#define ASCII_CASE_H

// tolower() of the default locale: only the ASCII letters A-Z change.
inline unsigned char
ToLowerAscii(unsigned char byte)
{
	return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// strcasecmp() == 0 of the default locale, whatever locale the process runs
// in: only the ASCII letters A-Z match their lower case.
inline bool
EqualIgnoringAsciiCase(const char* a, const char* b)
{
	for (; ToLowerAscii(static_cast<unsigned char>(*a)) ==
		   ToLowerAscii(static_cast<unsigned char>(*b));
		 a++, b++) {
		if (*a == '\0')
			return true;
	}
	return false;
}

#endif // ASCII_CASE_H
