// Addresses: URI references split into their parts, put back together, and resolved against a base.
//
// A reference is split as RFC 3986 splits it: scheme, authority (user information, host, port),
// path, query and fragment. An absent query or fragment differs from an empty one ("a?" keeps its
// "?"), so that serialising gives the text back. Resolution follows the RFC's strict algorithm,
// removal of "." and ".." segments included. Parsing is lenient about characters (pages and
// lexicons hold addresses with spaces and quotes); EncodeForTransfer makes such an address fit
// for a request line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CUrl {
public:
    // The reference split into its parts. Fails on a scheme with a character that a scheme cannot
    // hold, on an empty scheme (":x"), and on a port that is not a number up to 65535.
    static std::optional<CUrl> Parse(std::string_view text);

    std::string ToString() const;

    // The reference resolved against this URL as its base.
    CUrl Resolve(const CUrl& reference) const;
    // The same for a reference given as text; fails when the reference does not parse.
    std::optional<CUrl> Resolve(std::string_view reference) const;

    // True for a reference with a scheme.
    bool IsAbsolute() const { return !m_strScheme.empty(); }

    // The scheme in lower case; empty for a relative reference.
    const std::string& GetScheme() const { return m_strScheme; }
    bool HasAuthority() const { return m_bHasAuthority; }
    // "user:password@host:port" as it is written, without the leading "//".
    std::string GetAuthority() const;
    const std::string& GetUserInfo() const { return m_strUserInfo; }
    // The host as written; an IPv6 literal keeps its brackets.
    const std::string& GetHost() const { return m_strHost; }
    // The port, or -1 when the authority names none.
    int GetPort() const { return m_nPort; }
    const std::string& GetPath() const { return m_strPath; }
    bool HasQuery() const { return m_bHasQuery; }
    const std::string& GetQuery() const { return m_strQuery; }
    bool HasFragment() const { return m_bHasFragment; }
    const std::string& GetFragment() const { return m_strFragment; }

    void SetFragment(std::string_view fragment);
    void RemoveFragment();

private:
    bool ParseAuthority(std::string_view authority);

    std::string m_strScheme;
    bool m_bHasAuthority = false;
    std::string m_strUserInfo;
    bool m_bHasUserInfo = false;
    std::string m_strHost;
    int m_nPort = -1;
    std::string m_strPath;
    bool m_bHasQuery = false;
    std::string m_strQuery;
    bool m_bHasFragment = false;
    std::string m_strFragment;
};

// The path with its "." and ".." segments removed (RFC 3986, section 5.2.4).
std::string RemoveDotSegments(std::string_view path);

// The text with every byte other than letters, digits and "-._~" written as %XX, fit to stand as
// a query value or key whatever it holds ("&", "=", "#", spaces, quotes, UTF-8).
std::string EncodeQueryValue(std::string_view text);

// The address followed by "&", the key, "=" and the value, all as given: the form in which service
// addresses get their parameters, whose values go to the service unencoded.
std::string AppendQueryParameter(std::string_view address, std::string_view key,
                                 std::string_view value);

// The text with its %XX escapes decoded; a "%" not followed by two hexadecimal digits stays.
std::string PercentDecode(std::string_view text);

// The address made fit for a request line, as browsers send what the user or a page wrote: white
// space, control characters, bytes beyond ASCII and the characters " < > \ ^ ` { | } become %XX,
// and so does a "%" that does not start an escape. Escapes already there are left alone.
std::string EncodeForTransfer(std::string_view address);
