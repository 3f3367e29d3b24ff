// The desktop application: the main window, with a file named on the command line analysed
// shortly after the window appears.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/start_options.h"
#include "tessivo_version.h"
#include "view/mainunit.h"

namespace {

constexpr int kExitUsage = 64;  // as tessivo-cli's bad usage

std::vector<std::string> ToStrings(const QStringList& arguments) {
  std::vector<std::string> strings;
  for (const QString& argument : arguments) strings.push_back(argument.toStdString());
  return strings;
}

QStringList ToQStrings(const std::vector<std::string>& strings) {
  QStringList arguments;
  for (const std::string& string : strings) arguments.append(QString::fromStdString(string));
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  using tessivo::app::StartAction;
  // --help and --version answer before the toolkit starts, so they need no display.
  const auto early =
      tessivo::app::ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (early.action == StartAction::kShowHelp) {
    std::fputs(tessivo::app::kHelpText, stdout);
    return EXIT_SUCCESS;
  }
  if (early.action == StartAction::kShowVersion) {
    std::printf("tessivo %s\n", tessivo::kVersion);
    return EXIT_SUCCESS;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessivo"));
  QApplication::setOrganizationName(QStringLiteral("Marrek Ltd"));
  QApplication::setApplicationVersion(QString::fromLatin1(tessivo::kVersion));
  QApplication::setDesktopFileName(QStringLiteral("example.marrek_ltd.Tessivo"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  const auto options = tessivo::app::ParseStartOptions(ToStrings(QApplication::arguments().mid(1)));
  if (options.action == StartAction::kUsageError) {
    std::fprintf(stderr, "tessivo: %s\nTry tessivo --help.\n", options.error.c_str());
    return kExitUsage;
  }

  tessivo::view::TMainFrm mainFrm(ToQStrings(options.files));
  if (!mainFrm.storesObtained()) return EXIT_FAILURE;
  mainFrm.show();
  return application.exec();
}
