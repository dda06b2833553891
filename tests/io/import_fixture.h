#pragma once

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "tests/support/read_back.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

/// A page, messages captured in a temporary file and a scratch directory for data files.
class ImportTest : public ::testing::Test {
protected:
    ImportTest() : m_messages(m_errors, m_output)
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("corvid-import-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_directory);
    }
    ~ImportTest() override
    {
        std::fclose(m_errors);
        std::fclose(m_output);
        std::filesystem::remove_all(m_directory);
    }

    /// Writes `text` to a file named `name` in the scratch directory; returns its path.
    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = (m_directory / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    /// The messages shown so far, one "message: ..." line each; clears them.
    std::string TakeMessages()
    {
        const std::string text = ReadAll(m_errors);
        std::fclose(m_errors);
        m_errors = std::tmpfile();
        m_messages = StreamMessages(m_errors, m_output);
        return text;
    }

    Graph& CurrentGraph() { return m_doc.CurrentGraph(); }

    static std::vector<PlotPoint> Points(const Plot& plot)
    {
        return {plot.m_points.begin(), plot.m_points.end()};
    }

    std::FILE* m_errors = std::tmpfile();
    std::FILE* m_output = std::tmpfile();
    StreamMessages m_messages;
    CTarnDoc m_doc;
    std::filesystem::path m_directory;
};
