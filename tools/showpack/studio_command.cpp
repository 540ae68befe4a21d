#include "studio_command.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "command_status.h"
#include "file_io.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

struct StudioOptions {
  std::string folder;
  int port = 0;  // 0: any free port
};

// The folder `make studio` writes: build/studio beside build/tools/showpack.
std::string default_folder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return "studio";
  return (program.parent_path() / ".." / ".." / "studio").lexically_normal().string();
}

const char* content_type(const fs::path& file) {
  const std::string extension = file.extension().string();
  if (extension == ".html") return "text/html; charset=utf-8";
  if (extension == ".js") return "text/javascript; charset=utf-8";
  if (extension == ".css") return "text/css; charset=utf-8";
  if (extension == ".wasm") return "application/wasm";
  return "application/octet-stream";
}

void send_all(int client, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(std::size_t(sent));
  }
}

void respond(int client, const std::string& status, const char* type, std::string_view body) {
  send_all(client, "HTTP/1.0 " + status + "\r\nContent-Type: " + type +
                       "\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n");
  send_all(client, body);
}

// The file a request line's path names inside `folder`, if it stays inside.
std::optional<fs::path> requested_file(const std::string& request, const fs::path& folder) {
  if (request.rfind("GET /", 0) != 0) return std::nullopt;
  std::string target = request.substr(4, request.find(' ', 4) - 4);
  target = target.substr(0, target.find_first_of("?#"));
  if (target == "/") target = "/index.html";
  const fs::path relative = fs::path(target.substr(1)).lexically_normal();
  if (relative.empty() || relative.is_absolute() || *relative.begin() == "..") return std::nullopt;
  return folder / relative;
}

void serve(int client, const fs::path& folder) {
  std::string request(8192, '\0');
  const ssize_t got = ::recv(client, request.data(), request.size(), 0);
  request.resize(got > 0 ? std::size_t(got) : 0);
  const std::optional<fs::path> file =
      requested_file(request.substr(0, request.find('\r')), folder);
  if (!file) return respond(client, "400 Bad Request", "text/plain", "bad request\n");
  const FileRead read = read_whole_file(*file);
  if (read.error) return respond(client, "404 Not Found", "text/plain", "not found\n");
  respond(client, "200 OK", content_type(*file),
          {reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()});
}

int run_studio(const StudioOptions& options) {
  const fs::path folder = options.folder.empty() ? default_folder() : options.folder;
  if (!fs::is_regular_file(folder / "index.html")) {
    std::cerr << "showpack studio: error: " << folder.string()
              << " holds no studio; build it with `make studio` or name it with --folder\n";
    return 1;
  }
  const int server = ::socket(AF_INET, SOCK_STREAM, 0);
  const int yes = 1;
  ::setsockopt(server, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // this computer only
  address.sin_port = htons(std::uint16_t(options.port));
  socklen_t length = sizeof address;
  if (server < 0 || ::bind(server, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(server, 16) != 0 ||
      ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::cerr << "showpack studio: error: cannot listen on port " << options.port << '\n';
    return 1;
  }
  std::cout << "The studio is at http://127.0.0.1:" << ntohs(address.sin_port)
            << "/ (Ctrl+C ends it)" << std::endl;
  for (;;) {
    const int client = ::accept(server, nullptr, nullptr);
    if (client < 0) continue;
    serve(client, folder);
    ::close(client);
  }
}

}  // namespace

void add_studio_command(CLI::App& app) {
  auto options = std::make_shared<StudioOptions>();
  CLI::App* command = app.add_subcommand(
      "studio", "Serve the studio, the page that makes shows from photos, on this computer");
  command->add_option("--folder", options->folder,
                      "The studio's folder (default: build/studio beside this program)");
  command->add_option("--port", options->port, "The port (default: any free one)")
      ->check(CLI::Range(0, 65535));
  command->callback([options] { finish_command(run_studio(*options)); });
}

}  // namespace showsaver::showpack
