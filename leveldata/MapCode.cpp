#include "leveldata/MapCode.h"

#include "leveldata/MapAnalysis.h"

#include <cstdint>
#include <vector>

namespace {
	const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
	const int BASE = 64;
	const int BITS_PER_CHARACTER = 6;
	const char VERSION = '1';
	// The map as one number, digit by digit: the start's place in the grid,
	// then every node type, column by column. 55 characters hold
	// 90 x 12^90 values with a little to spare.
	const int PAYLOAD_LENGTH = 55;
	const int TYPE_COUNT = DATA_CACHE + 1;
	const int POSITIONS = GRID_COLUMNS * GRID_ROWS;
	// A 16-bit CRC catches every change of one character and every swap of
	// two neighbours, which are the slips people make copying a code.
	const int CHECK_LENGTH = 3;
	static_assert(1 + PAYLOAD_LENGTH + CHECK_LENGTH == MapCode::LENGTH, "the parts of a code");

	// A big number in base 2^32, least significant word first.
	using Number = std::vector<uint32_t>;

	void MultiplyAdd(Number &number, uint32_t factor, uint32_t addend)
	{
		uint64_t carry = addend;
		for(uint32_t &word : number)
		{
			uint64_t value = static_cast<uint64_t>(word) * factor + carry;
			word = static_cast<uint32_t>(value);
			carry = value >> 32;
		}
		if(carry)
			number.push_back(static_cast<uint32_t>(carry));
	}

	uint32_t DivideBy(Number &number, uint32_t divisor)
	{
		uint64_t remainder = 0;
		for(size_t i = number.size(); i-- > 0;)
		{
			uint64_t value = (remainder << 32) | number[i];
			number[i] = static_cast<uint32_t>(value / divisor);
			remainder = value % divisor;
		}
		while(!number.empty() && number.back() == 0)
			number.pop_back();
		return static_cast<uint32_t>(remainder);
	}

	uint16_t Crc16(const std::string &text)
	{
		uint16_t crc = 0xFFFF;
		for(unsigned char c : text)
		{
			crc ^= static_cast<uint16_t>(c << 8);
			for(int bit = 0; bit < 8; ++bit)
				crc = static_cast<uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
		}
		return crc;
	}

	int DigitOf(char c)
	{
		for(int digit = 0; digit < BASE; ++digit)
			if(ALPHABET[digit] == c)
				return digit;
		return -1;
	}

	std::string CheckOf(const std::string &versionAndPayload)
	{
		uint16_t crc = Crc16(versionAndPayload);
		std::string check;
		for(int i = CHECK_LENGTH - 1; i >= 0; --i)
			check += ALPHABET[(crc >> (i * BITS_PER_CHARACTER)) % BASE];
		return check;
	}

	std::string Shape(const std::string &code)
	{
		for(size_t i = 0; i < code.size(); ++i)
			if(DigitOf(code[i]) < 0)
				return "character " + std::to_string(i + 1) + " of the map code is not one a map code uses";
		if(code[0] != VERSION)
			return "the map code is of an unknown version '" + code.substr(0, 1) + "'; this game reads version " +
				VERSION;
		if(code.size() < MapCode::LENGTH)
			return "the map code is cut short: " + std::to_string(code.size()) + " of its " +
				std::to_string(MapCode::LENGTH) + " characters";
		if(code.size() > MapCode::LENGTH)
			return "the map code is too long: " + std::to_string(code.size()) + " characters where a map code has " +
				std::to_string(MapCode::LENGTH);
		if(CheckOf(code.substr(0, MapCode::LENGTH - CHECK_LENGTH)) != code.substr(MapCode::LENGTH - CHECK_LENGTH))
			return "the map code does not add up: a character is mistyped or missing";
		return "";
	}

	// False when the number is larger than any map's.
	bool Unpack(Number number, MapRecord &record)
	{
		int start = static_cast<int>(DivideBy(number, POSITIONS));
		for(int i = 0; i < POSITIONS; ++i)
			record.types[i / GRID_ROWS][i % GRID_ROWS] = static_cast<NodeType>(DivideBy(number, TYPE_COUNT));
		record.startColumn = start / GRID_ROWS;
		record.startRow = start % GRID_ROWS;
		return number.empty();
	}
}

std::string MapCode::Encode(const MapRecord &record)
{
	Number number;
	for(int i = POSITIONS - 1; i >= 0; --i)
		MultiplyAdd(number, TYPE_COUNT, record.types[i / GRID_ROWS][i % GRID_ROWS]);
	MultiplyAdd(number, POSITIONS, record.startColumn * GRID_ROWS + record.startRow);
	std::string payload(PAYLOAD_LENGTH, ALPHABET[0]);
	for(int i = PAYLOAD_LENGTH - 1; i >= 0; --i)
		payload[i] = ALPHABET[DivideBy(number, BASE)];
	std::string code = VERSION + payload;
	return code + CheckOf(code);
}

std::string MapCode::Decode(const std::string &code, MapRecord &record)
{
	if(code.empty())
		return "the map code is empty";
	std::string problem = Shape(code);
	if(!problem.empty())
		return problem;
	Number number;
	for(int i = 1; i <= PAYLOAD_LENGTH; ++i)
		MultiplyAdd(number, BASE, DigitOf(code[i]));
	MapRecord decoded;
	if(!Unpack(number, decoded))
		return "the map code holds no map";
	std::vector<MapFinding> findings = FindMapFaults(decoded);
	if(!findings.empty())
		return "the map in the code cannot be played: " + DescribeMapFinding(findings.front(), decoded.GetStart());
	record = decoded;
	return "";
}
