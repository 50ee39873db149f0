// Test support: a real nginx on loopback, started on a free port with a
// configuration written into a fresh temporary folder (its root, pid file,
// logs and temporary paths all inside), serving the files a test writes
// there. Keep-alive on, gzip off; /form answers "posted", /moved redirects
// to hello.txt (301, absolute), /relative to /moved (302, a path), /loop to
// itself (307), and files under ssi/ are sent chunked (server-side
// includes). Stopped and removed on destruction.
#pragma once

#include "tests/net/PosixPeer.h"

#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

class NginxServer {
public:
    static constexpr const char* kProgram = "/usr/sbin/nginx";

    NginxServer() {
        char pattern[] = "/tmp/ov_nginx_XXXXXX";
        if (const char* made = mkdtemp(pattern)) root_ = made;
        if (!root_.empty()) std::filesystem::create_directory(root_ + "/www");
    }
    ~NginxServer() {
        Stop();
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // A file under the served root.
    void Serve(const std::string& name, const std::string& bytes) const {
        std::ofstream(root_ + "/www/" + name, std::ios::binary) << bytes;
    }
    std::string FilePath(const std::string& name) const { return root_ + "/www/" + name; }

    // Starts nginx and waits (at most 10 s) until it accepts connections.
    bool Start() {
        if (root_.empty() || access(kProgram, X_OK) != 0) return false;
        port_ = FreePort();
        WriteConfig();
        const std::string prefix = root_ + "/", config = root_ + "/nginx.conf", log = root_ + "/error.log";
        const char* argv[] = {kProgram, "-p", prefix.c_str(), "-c", config.c_str(), "-e", log.c_str(), nullptr};
        if (posix_spawn(&pid_, kProgram, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return false;
        for (int i = 0; i < 1000; ++i) {
            const int fd = peer::Connect(port_);
            if (fd >= 0) {
                close(fd);
                return true;
            }
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) break;
            usleep(10000);
        }
        Stop();
        return false;
    }

    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    uint16_t Port() const { return port_; }
    std::string ErrorLog() const {
        std::ifstream in(root_ + "/error.log");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string root_;
    uint16_t port_ = 0;
    pid_t pid_ = -1;

    static uint16_t FreePort() {
        uint16_t port = 0;
        const int fd = peer::Listen(&port);
        close(fd);
        return port;
    }

    void WriteConfig() const {
        const passwd* user = getpwuid(geteuid());
        std::ofstream config(root_ + "/nginx.conf");
        config << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
               << "user " << (user ? user->pw_name : "nobody") << ";\n"
               << "pid " << root_ << "/nginx.pid;\nerror_log " << root_ << "/error.log warn;\n"
               << "events { worker_connections 256; }\n"
               << "http {\n  access_log off;\n  default_type application/octet-stream;\n"
               << "  sendfile on;\n  tcp_nopush on;\n  gzip off;\n  keepalive_timeout 60;\n"
               << "  client_body_temp_path " << root_ << "/body;\n"
               << "  proxy_temp_path " << root_ << "/proxy;\n  fastcgi_temp_path " << root_ << "/fastcgi;\n"
               << "  uwsgi_temp_path " << root_ << "/uwsgi;\n  scgi_temp_path " << root_ << "/scgi;\n"
               << "  server {\n    listen 127.0.0.1:" << port_ << ";\n    root " << root_ << "/www;\n"
               << "    location = /form { return 200 \"posted\"; }\n"
               << "    location = /moved { return 301 /hello.txt; }\n"
               << "    location = /relative { absolute_redirect off; return 302 /moved; }\n"
               << "    location = /loop { return 307 /loop; }\n"
               << "    location /ssi/ { ssi on; ssi_types *; }\n  }\n}\n";
    }
};
