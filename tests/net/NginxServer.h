// Test support: a real nginx on loopback, started on a free port with a
// configuration written into a fresh temporary folder (its root, pid file,
// logs and temporary paths all inside), serving the files a test writes
// there. Keep-alive on, gzip off; /form answers "posted", /moved redirects
// to hello.txt (301, absolute), /relative to /moved (302, a path), /loop to
// itself (307), and files under ssi/ are sent chunked (server-side
// includes). Stopped and removed on destruction (the folder kept with OV_KEEP
// set).
#pragma once

#include "tests/net/PosixPeer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <pwd.h>

#include <filesystem>
#include <fstream>
#include <string>

class NginxServer {
public:
    static constexpr const char* kProgram = "/usr/sbin/nginx";

    NginxServer() {
        if (folder_.IsValid()) std::filesystem::create_directory(root_ + "/www");
    }
    ~NginxServer() { Stop(); }
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // A file under the served root.
    void Serve(const std::string& name, const std::string& bytes) const {
        std::ofstream(root_ + "/www/" + name, std::ios::binary) << bytes;
    }
    std::string FilePath(const std::string& name) const { return root_ + "/www/" + name; }

    // Starts nginx and waits (at most 10 s) until it accepts connections.
    bool Start() {
        if (!folder_.IsValid() || access(kProgram, X_OK) != 0) return false;
        port_ = FreePort();
        WriteConfig();
        const std::string prefix = root_ + "/", config = root_ + "/nginx.conf", log = root_ + "/error.log";
        OvTest::LaunchOptions options;
        options.arguments = {kProgram, "-p", prefix, "-c", config, "-e", log};
        if (!nginx_.Launch(options)) return false;
        for (int i = 0; i < 1000; ++i) {
            const int fd = peer::Connect(port_);
            if (fd >= 0) {
                close(fd);
                return true;
            }
            if (!nginx_.Running()) break;
            usleep(10000);
        }
        Stop();
        return false;
    }

    void Stop() { nginx_.Stop(); }

    uint16_t Port() const { return port_; }
    std::string ErrorLog() const { return OvTest::TempFolder::Read(root_ + "/error.log"); }

private:
    OvTest::TempFolder folder_{"ov_nginx"};
    const std::string root_ = folder_.Root();
    uint16_t port_ = 0;
    OvTest::ChildProcess nginx_;

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
