// The environment report's lines, and what it makes of the kernel's and the distribution's own texts.
#include "system/ReportText.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(ReportText, LinesInOrderWithNoneForAMissingHandler) {
  ReportFacts facts;
  facts.programPath = "/opt/c/corvella";
  facts.version = "2.0.6.6";
  facts.kernelRelease = "6.1.0-18-amd64";
  facts.distribution = "Debian GNU/Linux 12 (bookworm)";
  facts.physicalMemoryBytes = (std::uint64_t{8} << 30) - 1;  // rounded down
  facts.perlFolder = "/usr/bin";
  facts.tempFolder = "/tmp/";
  EXPECT_EQ(FormatReport(facts),
            "[Path] /opt/c/corvella\r\n[Version] 2.0.6.6\r\n"
            "[OS Version] Linux 6.1.0 Debian GNU/Linux 12 (bookworm)\r\n[Physical Memory] 8191 MB\r\n"
            "[Perl Path] /usr/bin\r\n[Associated with .htm] none\r\n[Temporary Path] /tmp/\r\n");
  facts.htmlHandler = "firefox-esr.desktop";
  facts.kernelRelease.clear();  // a system that does not say: the line is left out
  const std::string report = FormatReport(facts);
  EXPECT_NE(report.find("[Associated with .htm] firefox-esr.desktop\r\n"), std::string::npos);
  EXPECT_EQ(report.find("[OS Version]"), std::string::npos);
}

TEST(ReportText, KernelNumbersAndDistributionName) {
  EXPECT_EQ(KernelVersionNumbers("6.1.0-18-amd64"), "6.1.0");
  EXPECT_EQ(KernelVersionNumbers("5.15"), "5.15.0");
  EXPECT_EQ(KernelVersionNumbers("4.19.304+"), "4.19.304");
  EXPECT_EQ(KernelVersionNumbers("weird"), "0.0.0");
  EXPECT_EQ(OsReleaseName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(OsReleaseName("# c\nNAME='Void'\nVERSION=\"a \\\"b\\\"\"\n"), "Void a \"b\"");
  EXPECT_EQ(OsReleaseName("garbage without equals\n"), "");
}
