#include "cli/cli_options.h"

#include <getopt.h>

#include <sstream>

namespace tarvelin::cli {
namespace {

enum Option {
  kCookieFile = 1000, kTarget, kGroup, kList, kJson, kAlbums, kMatch, kMode, kNames, kSave,
  kSecondKb, kConnectTo, kCaCert, kProxy, kHelp
};

bool ParseAlbumList(const std::string& text, CliOptions& options) {
  if (text == "all") {
    options.allAlbums = true;
    return true;
  }
  std::stringstream stream(text);
  std::string piece;
  while (std::getline(stream, piece, ',')) {
    if (piece.empty() || piece.find_first_not_of("0123456789") != std::string::npos) return false;
    if (piece.size() > 9) return false;
    int number = std::stoi(piece);
    if (number < 1) return false;
    options.albumNumbers.push_back(number);
  }
  return !options.albumNumbers.empty();
}

bool IsDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string CliUsage() {
  return
      "Usage: tarvelin-cli --cookie-file FILE --target NUMBER [options]\n"
      "\n"
      "Lists and downloads the photo albums of a QQ space or a QQ group.\n"
      "\n"
      "Session and target:\n"
      "  --cookie-file FILE   the cookie text of a logged-in browser page (\"name=value; ...\"),\n"
      "                       as document.cookie reports it; '-' reads standard input\n"
      "  --target NUMBER      the account number of the space, or the group number\n"
      "  --group              list and download the albums of a group instead of a space\n"
      "\n"
      "What to do:\n"
      "  --list               list the albums and exit\n"
      "  --json               with --list: print the list to standard output as a JSON array\n"
      "                       of {number, name, photoCount, albumId, accessText}\n"
      "  --albums all|N,N,... download these albums (row numbers as listed)\n"
      "  --match TEXT         download the albums whose names contain TEXT (ASCII letters\n"
      "                       match without regard to case)\n"
      "\n"
      "Download options (defaults from 配置.ini beside the program when it exists):\n"
      "  --mode hd|full|full2000   high definition; full size (interface 1, no limit);\n"
      "                            full size (interface 2, at most 2000 photos an album)\n"
      "  --names none|first|last   file names without a number, number first, number last\n"
      "  --save DIR                the folder under which albums are saved\n"
      "  --second-kb N             fetch a photo again when it is smaller than N KB (empty: never)\n"
      "\n"
      "Network:\n"
      "  --connect-to HOST:PORT:ADDR:PORT  connect to ADDR:PORT instead of HOST:PORT (repeatable;\n"
      "                       an empty HOST or PORT matches any, as with curl)\n"
      "  --cacert FILE        trust this CA certificate (PEM) as well\n"
      "  --proxy HOST:PORT    send requests through this proxy\n"
      "  --help               show this text\n"
      "\n"
      "Exit status: 0 every photo written, 1 some photos or albums failed, 2 usage error,\n"
      "3 the login was refused. Ctrl-C stops the download cleanly and prints the summary.\n";
}

ParseResult ParseCliOptions(int argc, char** argv) {
  static const option kLong[] = {
      {"cookie-file", required_argument, nullptr, kCookieFile},
      {"target", required_argument, nullptr, kTarget},
      {"group", no_argument, nullptr, kGroup},
      {"list", no_argument, nullptr, kList},
      {"json", no_argument, nullptr, kJson},
      {"albums", required_argument, nullptr, kAlbums},
      {"match", required_argument, nullptr, kMatch},
      {"mode", required_argument, nullptr, kMode},
      {"names", required_argument, nullptr, kNames},
      {"save", required_argument, nullptr, kSave},
      {"second-kb", required_argument, nullptr, kSecondKb},
      {"connect-to", required_argument, nullptr, kConnectTo},
      {"cacert", required_argument, nullptr, kCaCert},
      {"proxy", required_argument, nullptr, kProxy},
      {"help", no_argument, nullptr, kHelp},
      {nullptr, 0, nullptr, 0}};
  ParseResult result;
  CliOptions& o = result.options;
  optind = 1;
  opterr = 0;
  int code;
  while ((code = getopt_long(argc, argv, "h", kLong, nullptr)) != -1) {
    std::string value = optarg ? optarg : "";
    switch (code) {
      case kCookieFile: o.cookieFile = value; break;
      case kTarget: o.target = value; break;
      case kGroup: o.group = true; break;
      case kList: o.list = true; break;
      case kJson: o.json = true; break;
      case kAlbums:
        if (!ParseAlbumList(value, o)) result.error = "--albums takes 'all' or numbers such as 1,3,5";
        break;
      case kMatch: o.match = value; break;
      case kMode:
        if (value == "hd") o.mode = DownloadMode::HighDefinition;
        else if (value == "full") o.mode = DownloadMode::OriginalUnlimited;
        else if (value == "full2000") o.mode = DownloadMode::OriginalUpTo2000;
        else result.error = "--mode takes hd, full or full2000";
        break;
      case kNames:
        if (value == "none") o.names = NameFormat::NoNumber;
        else if (value == "first") o.names = NameFormat::NumberFirst;
        else if (value == "last") o.names = NameFormat::NumberLast;
        else result.error = "--names takes none, first or last";
        break;
      case kSave: o.saveFolder = value; break;
      case kSecondKb: o.secondKb = value; break;
      case kConnectTo: o.connectTo.push_back(value); break;
      case kCaCert: o.caFile = value; break;
      case kProxy: o.proxy = value; break;
      case kHelp: case 'h': o.help = true; break;
      default:
        result.error = std::string("unknown option ") + (optind > 0 ? argv[optind - 1] : "");
    }
    if (!result.error.empty()) return result;
  }
  if (optind < argc) {
    result.error = std::string("unexpected argument ") + argv[optind];
    return result;
  }
  if (o.help) return result;
  if (o.cookieFile.empty()) result.error = "--cookie-file is required";
  else if (!IsDigits(o.target)) result.error = "--target takes the account or group number";
  else if (!o.list && !o.allAlbums && o.albumNumbers.empty() && o.match.empty())
    result.error = "say what to do: --list, --albums or --match";
  else if (o.json && !o.list) result.error = "--json goes with --list";
  for (const std::string& entry : o.connectTo) {
    int colons = 0;
    for (char c : entry) colons += c == ':';
    if (colons != 3 && result.error.empty())
      result.error = "--connect-to takes HOST:PORT:ADDR:PORT";
  }
  return result;
}

}  // namespace tarvelin::cli
