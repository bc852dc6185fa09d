#ifndef VEXARIFT_TESTS_LEVELDATA_MAPTESTSUPPORT_H
#define VEXARIFT_TESTS_LEVELDATA_MAPTESTSUPPORT_H

#include "leveldata/MapFileListener.h"
#include "leveldata/MapRecord.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Builds one record of a map file, EMPTY everywhere until told otherwise.
class MapText {
public:
	MapText()
	{
		for(auto &column : words)
			for(auto &word : column)
				word = "EMPTY";
	}
	MapText &Set(int column, int row, const std::string &keyword)
	{
		words[column][row] = keyword;
		return *this;
	}
	MapText &Start(int column, int row)
	{
		startColumn = std::to_string(column);
		startRow = std::to_string(row);
		return *this;
	}
	// The "MAP" line and the eleven record lines, each ended by a line feed.
	std::string Text() const
	{
		std::string text = "MAP\n";
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			for(int column = 0; column < GRID_COLUMNS; ++column)
				text += words[column][row] + (column + 1 < GRID_COLUMNS ? " " : "\n");
		}
		return text + startColumn + "\n" + startRow + "\n";
	}

private:
	std::string words[GRID_COLUMNS][GRID_ROWS];
	std::string startColumn = "0";
	std::string startRow = "0";
};

// Writes every finding down as one short line, so a test can compare the
// whole sequence at once.
class RecordingListener : public MapFileListener {
public:
	void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
	{
		events.push_back("map " + std::to_string(mapLine));
		maps.push_back(std::move(record));
	}
	void UnknownLine(int line, const std::string &text) override
	{
		events.push_back("unknown line " + std::to_string(line) + ": " + text);
	}
	void UnknownType(int line, int column, const std::string &word) override
	{
		events.push_back("unknown type " + std::to_string(line) + "/" + std::to_string(column) + ": " + word);
	}
	void ShortRow(int line, int wordCount) override
	{
		events.push_back("short row " + std::to_string(line) + ": " + std::to_string(wordCount));
	}
	void MapEndsEarly(int mapLine) override { events.push_back("ends early " + std::to_string(mapLine)); }
	void StartOutsideGrid(int mapLine, GridPosition start) override
	{
		events.push_back("outside " + std::to_string(mapLine) + ": " + std::to_string(start.column) + "," +
			std::to_string(start.row));
	}

	std::vector<std::string> events;
	std::vector<std::unique_ptr<MapRecord>> maps;
};

// Runs each test in a fresh, empty working directory, for code that reads
// and writes DATA and LastRun by bare name.
class InTemporaryDirectory : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;
	void WriteFile(const std::string &name, const std::string &contents);
	std::string ReadFile(const std::string &name);

	std::string directory;
	std::string previousDirectory;
};

#endif
