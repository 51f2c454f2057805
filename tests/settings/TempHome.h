#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

// Gives each test its own configuration and data directories.
class TempHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        root_ = std::filesystem::temp_directory_path() /
                ("vexari-settings-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(root_);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    static std::string Slurp(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream bytes;
        if (in) bytes << in.rdbuf();
        return bytes.str();
    }
    static void Spit(const std::filesystem::path& p, const std::string& bytes) {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }

    std::filesystem::path root_;
};
