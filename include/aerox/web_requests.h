/// @file
/// @brief Web requests: GET a URL's body, waiting for it or in the
/// background in numbered slots.
#pragma once
#include "aerox/text.h"

/// @defgroup web_requests Web requests
/// @brief HTTP and HTTPS GET requests: HttpGet waits for its answer (for
/// menus and loading screens); HttpRequest starts one in slot 0..15 and
/// returns at once, for use during play.
///
/// Only http: and https: URLs are fetched. Certificates are checked
/// against the system's authorities (on Linux, the standard variable
/// CURL_CA_BUNDLE, else SSL_CERT_FILE, names another authorities file).
/// A request follows at most 5 redirects and never one from https: down to
/// http:. It may take 5 seconds to connect and 15 seconds in all; a body
/// over 4 MiB (4,194,304 bytes) fails it. A request that got an answer
/// is done whatever the status code (a 404 is done, with the server's
/// body); one that got none, or broke a rule above, has failed, and its
/// reason is one log line. Bodies are bytes: every byte arrives as sent.
///
/// Linux asks libcurl, Windows its own WinHTTP, and the browser its fetch,
/// where the page's origin rules apply too (a server on another origin
/// must allow the page), the browser keeps its own redirect rules, and of
/// the time limits only the 15 seconds in all hold there.
///
/// These commands work at any time, also before RunGame. A slot number has
/// its fraction cut off; one outside 0..15 makes a command return its
/// failure value with one log line naming the command.
/// @{

/// Fetches a URL and waits for the answer, at most 15 seconds. The game
/// stands still meanwhile: use it where that is fine, not during play.
/// @param url the address, starting http:// or https://.
/// @return the body of the answer, or an empty text when the request
///         failed (HttpStatus then gives -1 and the log says why).
RtString HttpGet(const RtString& url);
/// The status code of the last HttpGet.
/// @return the server's status code (200, 404, ...), -1 when the last
///         HttpGet failed, or 0 before the first HttpGet.
double HttpStatus();
/// Starts fetching a URL in a slot and returns at once; the request runs
/// beside the game. What the slot held before is dropped (a request still
/// running there is stopped).
/// @param slot the slot, 0..15.
/// @param url the address, starting http:// or https://.
/// @return 1 when the request started; 0 for a bad slot or URL (the slot
///         then reads failed), or when too many stopped requests are still
///         closing (at most 32 run at once).
double HttpRequest(double slot, const RtString& url);
/// How a slot's request stands. When it has just failed, this (or the
/// first of HttpBody and HttpStatusOf to look) writes its reason to the
/// log, once.
/// @param slot the slot, 0..15.
/// @return 0 while it runs, 1 when it is done (an answer came), -1 when it
///         failed, for a slot that never had a request, or a bad slot.
double HttpState(double slot);
/// The body of a slot's answer.
/// @param slot the slot, 0..15.
/// @return the body once the request is done; an empty text while it
///         runs, when it failed, or for a bad slot.
RtString HttpBody(double slot);
/// The status code of a slot's answer.
/// @param slot the slot, 0..15.
/// @return the server's status code once the request is done, 0 while it
///         runs, -1 when it failed, for an empty slot or a bad slot.
double HttpStatusOf(double slot);

/// @}
