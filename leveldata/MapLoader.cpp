#include "leveldata/MapLoader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

	const std::pair<const char *, NodeType> KEYWORDS[] = {
		{"EMPTY", EMPTY},
		{"HACKED", HACKED},
		{"FIREWALL", FIREWALL},
		{"ANTIVIRUS", ANTIVIRUS},
		{"RESTORATION_NODE", RESTORATION_NODE},
		{"VIRUS_SUPPRESSOR", VIRUS_SUPPRESSOR},
		{"SYSTEM_CORE", SYSTEM_CORE},
		{"ITEM_SELF_REPAIR", ITEM_SELF_REPAIR},
		{"ITEM_KERNEL_ROT", ITEM_KERNEL_ROT},
		{"ITEM_POLYMORPHIC_SHIELD", ITEM_POLYMORPHIC_SHIELD},
		{"ITEM_SECONDARY_VECTOR", ITEM_SECONDARY_VECTOR},
		{"DATA_CACHE", DATA_CACHE},
	};

	const char UNKNOWN_TYPE_FORMAT[] = "Unknown type: %s\n";
	const char LAST_RUN_FILE[] = "LastRun";
	// A stamp is 25 characters; a LastRun that never ends (a link to
	// /dev/zero, a huge file without a line feed) must not fill the memory.
	const size_t STAMP_LIMIT = 256;
	// Far beyond any map file an author writes, and the same guard for DATA.
	const size_t DATA_LIMIT = 8 * 1024 * 1024;
	const size_t READ_CHUNK = 64 * 1024;
	const mode_t NEW_FILE_MODE = 0666;

	void PrintUnknownType(const std::string &word)
	{
		fprintf(stderr, UNKNOWN_TYPE_FORMAT, word.c_str());
	}

	// Prints what the game shows on its console and keeps the records.
	class ConsoleListener : public MapFileListener {
	public:
		void MapRead(int, std::unique_ptr<MapRecord> record) override { maps.push_back(std::move(record)); }

		void UnknownLine(int, const std::string &text) override { printf("Unknown line: %s\n", text.c_str()); }

		void UnknownType(int, int, const std::string &word) override { PrintUnknownType(word); }

		// A short row reads its missing positions as EMPTY without a console
		// line of its own; the map checker is where an author hears of it.
		void ShortRow(int, int) override {}

		void MapEndsEarly(int mapLine) override { fprintf(stderr, "Map at line %d ends early; skipped\n", mapLine); }

		void StartOutsideGrid(int mapLine, GridPosition) override
		{
			fprintf(stderr, "Map at line %d starts outside the grid; skipped\n", mapLine);
		}

		std::vector<std::unique_ptr<MapRecord>> maps;
	};

	// std::getline, but a carriage return before the line feed belongs to the
	// line end. A carriage return on an unterminated last line is kept: it is
	// not part of a line end there.
	bool ReadLine(std::istream &in, std::string &line)
	{
		if(!std::getline(in, line))
			return false;
		if(!in.eof() && !line.empty() && line.back() == '\r')
			line.pop_back();
		return true;
	}

	// What atoi reads, without its undefined behaviour on overflow: such a value
	// lies far outside the grid anyway.
	int ParseInteger(const std::string &line)
	{
		long value = std::strtol(line.c_str(), nullptr, 10);
		if(value > INT_MAX)
			return INT_MAX;
		if(value < INT_MIN)
			return INT_MIN;
		return static_cast<int>(value);
	}

	void ParseRow(const std::string &line, int lineNumber, int row, MapRecord &record, MapFileListener &listener)
	{
		std::vector<std::string> words = SplitString(line, ' ');
		int columns = words.size() < GRID_COLUMNS ? static_cast<int>(words.size()) : GRID_COLUMNS;
		for(int column = 0; column < columns; ++column)
		{
			NodeType type = EMPTY;
			if(!FindNodeType(words[column], type))
				listener.UnknownType(lineNumber, column, words[column]);
			record.types[column][row] = type;
		}
		if(columns < GRID_COLUMNS)
			listener.ShortRow(lineNumber, columns);
	}

	// The first line, without its line feed, and at most `limit` bytes of it.
	std::string ReadFirstLine(std::istream &in, size_t limit)
	{
		std::string line;
		char ch = 0;
		while(line.size() < limit && in.get(ch) && ch != '\n')
			line += ch;
		return line;
	}

	// At most `limit` bytes, all read before the parser sees any: what an
	// editor saves meanwhile cannot reach a record half way through it.
	std::string ReadAtMost(std::istream &in, size_t limit, bool &cut)
	{
		std::string text;
		std::vector<char> chunk(READ_CHUNK);
		while(text.size() < limit && in)
		{
			in.read(chunk.data(), static_cast<std::streamsize>(std::min(READ_CHUNK, limit - text.size())));
			text.append(chunk.data(), static_cast<size_t>(in.gcount()));
		}
		cut = text.size() == limit && in.peek() != std::char_traits<char>::eof();
		return text;
	}

	bool WriteAll(int fd, const std::string &text)
	{
		size_t done = 0;
		while(done < text.size())
		{
			const ssize_t written = write(fd, text.data() + done, text.size() - done);
			if(written <= 0)
				return false;
			done += static_cast<size_t>(written);
		}
		return true;
	}

	std::string DirectoryOf(const std::string &path)
	{
		const size_t slash = path.rfind('/');
		if(slash == std::string::npos)
			return ".";
		return slash == 0 ? "/" : path.substr(0, slash);
	}

	// The new text goes into a file of its own beside the old one and takes
	// its name only once it is whole: a full disk or a write cut short
	// leaves the old file as it was, and no partial file behind.
	void ReplaceFile(const std::string &path, const std::string &text)
	{
		std::string name = DirectoryOf(path) + "/.LastRun.XXXXXX";
		const int fd = mkstemp(&name[0]);
		if(fd < 0)
			return;
		const mode_t mask = umask(0);
		umask(mask);
		// The player reads and renews the stamp whatever the mask says: the
		// browser build's C library reports a mask that takes every right.
		const mode_t mode = (NEW_FILE_MODE & ~mask) | S_IRUSR | S_IWUSR;
		bool whole = fchmod(fd, mode) == 0 && WriteAll(fd, text);
		whole = close(fd) == 0 && whole;
		if(!whole || rename(name.c_str(), path.c_str()) != 0)
			unlink(name.c_str());
	}

	// A device or a pipe cannot be replaced, only written to, as before.
	void WriteInPlace(const std::string &path, const std::string &text)
	{
		FILE *file = fopen(path.c_str(), "w");
		if(!file)
			return;
		fputs(text.c_str(), file);
		fclose(file);
	}

} // namespace

std::vector<std::string> SplitString(const std::string &line, char delimiter)
{
	std::vector<std::string> words;
	std::string word;
	for(char ch : line)
	{
		if(ch != delimiter)
		{
			word += ch;
			continue;
		}
		words.push_back(word);
		word.clear();
	}
	if(!word.empty())
		words.push_back(word);
	return words;
}

bool FindNodeType(const std::string &word, NodeType &type)
{
	for(const auto &keyword : KEYWORDS)
	{
		if(word == keyword.first)
		{
			type = keyword.second;
			return true;
		}
	}
	return false;
}

const char *NodeTypeKeyword(NodeType type)
{
	for(const auto &keyword : KEYWORDS)
		if(keyword.second == type)
			return keyword.first;
	return KEYWORDS[0].first;
}

std::string FormatMapRecord(const MapRecord &record)
{
	std::string text = "MAP\n";
	for(int row = 0; row < GRID_ROWS; ++row)
	{
		for(int column = 0; column < GRID_COLUMNS; ++column)
			text += std::string(column ? " " : "") + NodeTypeKeyword(record.TypeAt(column, row));
		text += "\n";
	}
	return text + std::to_string(record.startColumn) + "\n" + std::to_string(record.startRow) + "\n";
}

NodeType ParseNodeType(const std::string &word)
{
	NodeType type = EMPTY;
	if(!FindNodeType(word, type))
		PrintUnknownType(word);
	return type;
}

std::unique_ptr<MapRecord> ParseMapRecord(std::istream &in, int mapLine, MapFileListener &listener)
{
	auto record = std::make_unique<MapRecord>();
	int lineNumber = mapLine;
	std::string line;
	for(int row = 0; row < GRID_ROWS; ++row)
	{
		if(!ReadLine(in, line))
		{
			listener.MapEndsEarly(mapLine);
			return nullptr;
		}
		ParseRow(line, ++lineNumber, row, *record, listener);
	}
	for(int *coordinate : {&record->startColumn, &record->startRow})
	{
		if(!ReadLine(in, line))
		{
			listener.MapEndsEarly(mapLine);
			return nullptr;
		}
		*coordinate = ParseInteger(line);
	}
	if(!IsInsideGrid(record->startColumn, record->startRow))
	{
		listener.StartOutsideGrid(mapLine, record->GetStart());
		return nullptr;
	}
	return record;
}

std::unique_ptr<MapRecord> ParseMapRecord(std::istream &in)
{
	ConsoleListener listener;
	return ParseMapRecord(in, 0, listener);
}

void ReadMapFile(std::istream &in, MapFileListener &listener)
{
	// Nine rows and the two start coordinates.
	const int RECORD_LINES = GRID_ROWS + 2;
	int lineNumber = 0;
	std::string line;
	while(ReadLine(in, line))
	{
		++lineNumber;
		if(line.empty())
			continue;
		if(line != "MAP")
		{
			listener.UnknownLine(lineNumber, line);
			continue;
		}
		std::unique_ptr<MapRecord> record = ParseMapRecord(in, lineNumber, listener);
		if(record)
			listener.MapRead(lineNumber, std::move(record));
		lineNumber += RECORD_LINES;
	}
}

std::vector<std::unique_ptr<MapRecord>> LoadMaps()
{
	const char DATA_FILE[] = "DATA";
	ConsoleListener listener;
	std::ifstream data(DATA_FILE, std::ios::binary);
	if(data)
	{
		bool cut = false;
		std::istringstream text(ReadAtMost(data, DATA_LIMIT, cut));
		if(cut)
			fprintf(stderr, "DATA is longer than %lu bytes; the rest is not read\n",
				static_cast<unsigned long>(DATA_LIMIT));
		ReadMapFile(text, listener);
	}
	printf("Loaded %lu maps\n", static_cast<unsigned long>(listener.maps.size()));

	std::ifstream lastRun(LAST_RUN_FILE, std::ios::binary);
	if(lastRun)
		printf("Last run: %s\n", ReadFirstLine(lastRun, STAMP_LIMIT).c_str());
	SaveLastRun();
	return std::move(listener.maps);
}

void SaveLastRun()
{
	time_t now = time(nullptr);
	const char *stamp = ctime(&now);
	if(!stamp)
		return;
	const std::string text = std::string(stamp) + "\n";
	// Through a link, the file it names is renewed, and the link kept.
	std::string target = LAST_RUN_FILE;
	struct stat info = {};
	if(lstat(LAST_RUN_FILE, &info) == 0 && S_ISLNK(info.st_mode))
	{
		char *resolved = realpath(LAST_RUN_FILE, nullptr);
		if(!resolved)
			return;
		target = resolved;
		free(resolved);
	}
	if(stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
		WriteInPlace(target, text);
	else
		ReplaceFile(target, text);
}
