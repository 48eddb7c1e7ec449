#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/app/launcher/CMainWnd.h"

namespace vz {

// Start modes of the launcher.
inline constexpr int kNormalStart = 0;
inline constexpr int kHiddenStart = 1;

// The command-line tail without leading and trailing white space.
std::string TrimCommandLine(std::string_view commandLine);
// Hidden start exactly for "-hh" (case-sensitive, whole string) after trimming.
int StartModeFromCommandLine(std::string_view commandLine);

// The application object: reads the command line and creates the launcher.
class CVozuDeziApp {
 public:
  // Returns true always, as the message loop runs afterwards either way.
  bool InitInstance(std::string_view commandLine, const LauncherDeps& deps,
                    const std::string& moduleDir);
  CMainWnd* MainWnd() const { return m_pMainWnd.get(); }
  const std::string& CommandLine() const { return m_strCommandLine; }
  void Reset() { m_pMainWnd.reset(); }

 private:
  std::string m_strCommandLine;
  std::unique_ptr<CMainWnd> m_pMainWnd;
};

}  // namespace vz
