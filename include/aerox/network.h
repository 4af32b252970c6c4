/// @file
/// @brief Networked games: hosting, joining and messages between copies of
/// a game over TCP.
#pragma once
#include "aerox/text.h"

/// @defgroup network Networked games
/// @brief One copy of a game hosts, up to 15 others join it, and each sends
/// messages to whom it wants.
///
/// The host is peer 0; joiners are numbered from 1 in the order they
/// joined. The host sees its joiners; a joiner sees the host only. A
/// message is a text of up to 65535 bytes, any bytes: it arrives whole, once,
/// in the order it was sent, while the connection lives.
///
/// A worker thread does the network's work, so no command waits for it
/// (except NetClose, which flushes for up to 1 s). Each way, per peer, at
/// most 256 messages or 1 MiB wait: NetSend refuses more, and a peer whose
/// messages the game does not take is not read until it does. Joining
/// sends the game's name (the caption of StartupSettings) and the host
/// refuses another game. A peer silent for 10 s is dropped. EndProgram says
/// goodbye to each peer.
///
/// These commands work at any time, also before RunGame has started the
/// engine. In the browser NetHost, NetJoin and NetFindHosts return 0 with
/// one log line: a page can neither host nor join.
/// @{

// --- hosting and joining
/// Starts hosting a game on a TCP port, on every IPv4 and IPv6 address of
/// this machine; NetState becomes 2.
/// @param port the port, 1..65535, or 0 for a free one the system picks
///        (NetPort tells which).
/// @param maxPeers how many may join, 1..15.
/// @return 1, or 0 (one log line) when the port is in use, an argument is
///         bad, or a game is already hosted or joined (NetClose first).
double NetHost(double port, double maxPeers);
/// Starts joining the game hosted at an address; NetState becomes 1, then
/// 2 once the host welcomed this copy, or -1 (refused) or -2 (lost).
/// The name lookup and the connecting happen on the worker.
/// @param address a host name, an IPv4 address or an IPv6 address.
/// @param port the host's port, 1..65535.
/// @return 1, or 0 (one log line) for a bad argument, or when a game is
///         already hosted or joined.
double NetJoin(const RtString& address, double port);
/// The port this copy hosts on, as NetHost was given it or as the system
/// picked it for port 0.
/// @return the port, or 0 while this copy is not hosting.
double NetPort();
/// Where the network stands.
/// @return 0 off, 1 joining, 2 joined (or hosting), -1 refused by the host,
///         -2 the connection was lost (or never made), -3 the host left.
double NetState();
/// Why the last join was refused or the connection lost.
/// @return a short text, e.g. "refused: the game is full", "the host
///         left", "lost: silent for 10 s"; empty while nothing failed.
RtString NetReason();
/// Ends the game on the network: says goodbye to each peer (their state or
/// peer list shows this end left), sends what is queued for up to 1 s,
/// closes every connection. NetState becomes 0.
void NetClose();

// --- peers and messages
/// The number of peers connected now.
/// @return 0..15 for the host; 1 for a joiner that is joined, else 0.
double NetPeerCount();
/// A connected peer's number.
/// @param index 0 .. NetPeerCount() - 1.
/// @return the peer's number (0 is the host), or -1 for a bad index.
double NetPeerId(double index);
/// Queues a message for a peer (or for every peer).
/// @param peer the peer's number, or -1 for every connected peer.
/// @param text the message, up to 65535 bytes of any value.
/// @return 1, or 0 when a queue is full, the peer is gone, nothing is
///         joined or hosted, or the text is too long (logged).
double NetSend(double peer, const RtString& text);
/// Takes the next message that arrived, from any peer, in arrival order;
/// NetMessage gives its text.
/// @return the sender's number, or -1 when no message waits.
double NetReceive();
/// The text of the message NetReceive took last.
/// @return its bytes; empty before the first message.
RtString NetMessage();
/// The last measured round trip to a peer (measured each second).
/// @param peer the peer's number.
/// @return milliseconds, 0 before the first measure, or -1 for a peer not
///         connected.
double NetPing(double peer);

// --- finding games on the local network
/// Asks the local network for games hosted on a port: a UDP broadcast on
/// every interface that has one and on this machine's loopback. Answers
/// arrive within the next second (NetHostCount); the last answers are
/// forgotten.
/// @param port the port the games are hosted on, 1..65535.
/// @return 1, or 0 (one log line) for a bad port or where there is no
///         network.
double NetFindHosts(double port);
/// The number of games found by the last NetFindHosts so far.
/// @return 0..64.
double NetHostCount();
/// A found game's address, for NetJoin.
/// @param index 0 .. NetHostCount() - 1.
/// @return the address, or an empty text for a bad index.
RtString NetHostAddress(double index);
/// A found game's name (the caption of its StartupSettings).
/// @param index 0 .. NetHostCount() - 1.
/// @return the name, or an empty text for a bad index.
RtString NetHostName(double index);

/// @}
