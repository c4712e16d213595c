#ifndef ASCII_CASE_H
#define ASCII_CASE_H

// tolower() of the default locale: only the ASCII letters A-Z change.
inline unsigned char
ToLowerAscii(unsigned char byte)
{
	return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

#endif // ASCII_CASE_H
