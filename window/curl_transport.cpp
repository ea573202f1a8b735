#include "window/curl_transport.h"

#include <curl/curl.h>
#include <dlfcn.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <type_traits>
#include <utility>

namespace vorlen {

namespace {

// The few libcurl functions the request uses. libcurl is opened with dlopen
// when the request is due rather than linked: loading it and the libraries it
// pulls in (TLS, compression, name lookup) would cost every start of the
// program time and memory, for a request that comes once, two seconds in.
struct Curl {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) setopt = nullptr;
    decltype(&curl_easy_perform) perform = nullptr;
    decltype(&curl_easy_cleanup) cleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
    bool loaded = false;
};

const Curl& curl()
{
    static const Curl loaded = [] {
        Curl found;
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return found;
        }
        const auto find = [library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            return function != nullptr;
        };
        found.loaded = find(found.globalInit, "curl_global_init") && find(found.easyInit, "curl_easy_init") &&
                       find(found.setopt, "curl_easy_setopt") && find(found.perform, "curl_easy_perform") &&
                       find(found.cleanup, "curl_easy_cleanup") &&
                       find(found.slistAppend, "curl_slist_append") &&
                       find(found.slistFreeAll, "curl_slist_free_all") &&
                       found.globalInit(CURL_GLOBAL_NOTHING) == CURLE_OK; // plain http: no TLS set-up
        return found;
    }();
    return loaded;
}

// The first bytes of the answer end the request: returning less than was
// handed over makes libcurl drop the connection.
size_t stopAtTheAnswer(char* /*data*/, size_t /*size*/, size_t /*count*/, void* /*user*/)
{
    return 0;
}

// libcurl tries the next address of a name when a connection fails; two
// sockets at most mean a refused connection is tried again once, never more.
curl_socket_t openAtMostTwo(void* opened, curlsocktype /*purpose*/, curl_sockaddr* address)
{
    int& count = *static_cast<int*>(opened);
    if (++count > 2) {
        return CURL_SOCKET_BAD;
    }
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

void request(const CounterPlan& plan)
{
    const Curl& c = curl();
    if (!c.loaded) {
        return;
    }
    CURL* handle = c.easyInit();
    if (handle == nullptr) {
        return;
    }
    curl_slist* headers = nullptr;
    for (const std::string& header : plan.headers()) {
        if (curl_slist* longer = c.slistAppend(headers, header.c_str()); longer != nullptr) {
            headers = longer;
        }
    }
    const std::string url = plan.page.absolute();
    // Set every time: an empty proxy and an empty exception list keep
    // libcurl from reading the environment on its own, which it does
    // differently (it ignores HTTP_PROXY on purpose).
    const std::string proxy = plan.proxy ? plan.proxy->url() : std::string();
    int sockets = 0;
    c.setopt(handle, CURLOPT_URL, url.c_str());
    c.setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
    c.setopt(handle, CURLOPT_PROXY, proxy.c_str());
    c.setopt(handle, CURLOPT_NOPROXY, "");
    c.setopt(handle, CURLOPT_HTTPHEADER, headers);
    c.setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    c.setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    c.setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(plan.deadline.count()));
    c.setopt(handle, CURLOPT_NOSIGNAL, 1L);
    c.setopt(handle, CURLOPT_FRESH_CONNECT, 1L);
    c.setopt(handle, CURLOPT_FORBID_REUSE, 1L);
    c.setopt(handle, CURLOPT_BUFFERSIZE, 1024L); // libcurl's smallest read
    c.setopt(handle, CURLOPT_HEADERFUNCTION, &stopAtTheAnswer);
    c.setopt(handle, CURLOPT_WRITEFUNCTION, &stopAtTheAnswer);
    c.setopt(handle, CURLOPT_OPENSOCKETFUNCTION, &openAtMostTwo);
    c.setopt(handle, CURLOPT_OPENSOCKETDATA, &sockets);
    c.perform(handle); // the outcome is of no interest: the request is the effect
    c.cleanup(handle);
    c.slistFreeAll(headers);
}

} // namespace

CurlTransport::CurlTransport(std::function<void()> finished) : finished_(std::move(finished))
{
}

bool CurlTransport::load()
{
    return curl().loaded;
}

void CurlTransport::send(const CounterPlan& plan)
{
    // Detached: the program may end while the request waits on the network.
    std::thread([plan, finished = finished_] {
        try {
            request(plan);
        } catch (...) { // NOLINT(bugprone-empty-catch): out of memory ends this request, not the program
        }
        finished();
    }).detach();
}

} // namespace vorlen
