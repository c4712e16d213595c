#include "BrowserLauncher.h"

#include <string_view>

#include <Message.h>
#include <Roster.h>

#include "AsciiCase.h"
#include "DialogConstants.h"

static const char* const kBrowserSignature = "application/x-vnd.Be-NPOS";
static const char* const kMailtoSignature = "application/x-vnd.Be.URL.mailto";

namespace {

// ASCII classes only: an address means the same whatever the locale.
bool
is_space(char c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool
is_digit(char c)
{
	return c >= '0' && c <= '9';
}

bool
is_letter(char c)
{
	return ToLowerAscii(static_cast<unsigned char>(c)) >= 'a' &&
		   ToLowerAscii(static_cast<unsigned char>(c)) <= 'z';
}

// Whether text starts with a URL scheme and its colon ("mailto:", "file:"),
// as opposed to a host and port ("example.org:8080").
bool
has_scheme(std::string_view text)
{
	size_t colon = text.find(':');
	if (colon == 0 || colon == std::string_view::npos)
		return false;
	std::string_view scheme = text.substr(0, colon);
	if (!is_letter(scheme[0]))
		return false;
	for (char c : scheme) {
		if (!is_letter(c) && !is_digit(c) && c != '+' && c != '-' && c != '.')
			return false;
	}
	return text.substr(colon + 1, 2) == "//" || colon + 1 == text.size() ||
		   !is_digit(text[colon + 1]);
}

bool
starts_with_ignoring_case(std::string_view text, std::string_view prefix)
{
	if (text.size() < prefix.size())
		return false;
	for (size_t i = 0; i < prefix.size(); i++) {
		if (ToLowerAscii(static_cast<unsigned char>(text[i])) !=
			ToLowerAscii(static_cast<unsigned char>(prefix[i])))
			return false;
	}
	return true;
}

} // namespace

std::string
BrowserLauncher::WebAddress(const char* url)
{
	if (url == nullptr)
		return std::string();
	std::string_view text(url);
	while (!text.empty() && is_space(text.front()))
		text.remove_prefix(1);
	while (!text.empty() && is_space(text.back()))
		text.remove_suffix(1);
	if (text.empty())
		return std::string();
	if (!has_scheme(text))
		return "http://" + std::string(text);
	// Other schemes could start local programs or files.
	if (starts_with_ignoring_case(text, "http://") || starts_with_ignoring_case(text, "https://"))
		return std::string(text);
	return std::string();
}

status_t
BrowserLauncher::GoToWebPage(const char* url)
{
	std::string address = WebAddress(url);
	if (address.empty())
		return B_BAD_VALUE;
	const char* args[] = {address.c_str()};
	return be_roster->Launch(kBrowserSignature, 1, args);
}

status_t
BrowserLauncher::GoToWebPage(const BMessage* message)
{
	const char* url = nullptr;
	if (message == nullptr || message->FindString(kUrlField, &url) != B_OK)
		return B_BAD_VALUE;
	return GoToWebPage(url);
}

status_t
BrowserLauncher::ComposeMail(const std::string& url)
{
	if (!starts_with_ignoring_case(url, "mailto:"))
		return B_BAD_VALUE;
	const char* args[] = {url.c_str()};
	return be_roster->Launch(kMailtoSignature, 1, args);
}
