#include "MapTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

void InTemporaryDirectory::SetUp()
{
	previousDirectory = std::filesystem::current_path().string();
	char pattern[] = "/tmp/vexarift-leveldata-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	directory = pattern;
	ASSERT_EQ(chdir(directory.c_str()), 0);
}

void InTemporaryDirectory::TearDown()
{
	ASSERT_EQ(chdir(previousDirectory.c_str()), 0);
	std::filesystem::remove_all(directory);
}

void InTemporaryDirectory::WriteFile(const std::string &name, const std::string &contents)
{
	std::ofstream(name, std::ios::binary) << contents;
}

std::string InTemporaryDirectory::ReadFile(const std::string &name)
{
	std::ifstream in(name, std::ios::binary);
	std::stringstream contents;
	contents << in.rdbuf();
	return contents.str();
}
