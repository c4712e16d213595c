#include "SyncReport.h"

std::string
SyncReport::Text() const
{
	std::string text = "In this book: " + std::to_string(addedHere) + " added, " +
					   std::to_string(changedHere) + " changed, " + std::to_string(deletedHere) +
					   " deleted. On the server: " + std::to_string(addedThere) + " added, " +
					   std::to_string(changedThere) + " changed, " + std::to_string(deletedThere) +
					   " deleted.\n";
	for (const std::string& conflict : conflicts) {
		text += "Changed on both sides: the server's version is kept, and this book's "
				"version was added as a new record: " +
				conflict + "\n";
	}
	for (const std::string& value : cut)
		text += "Cut to 40 bytes: " + value + "\n";
	return text;
}
