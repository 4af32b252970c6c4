// Netpong: two-player pong over the network. One copy hosts, the other
// joins; each moves its own paddle with the up and down arrows. The host's
// ball is the truth: it sends where everything is each frame, and the
// joiner sends where its paddle is.
//   netpong --host            host on port 4950
//   netpong --join ADDRESS    join the game hosted at ADDRESS
//   netpong --find            join the first game found on the local network
#include <aerox/aerox.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double kPort = 4950, kWidth = 320, kHeight = 240;
constexpr double kPaddleHeight = 40, kPaddleX[2] = {8, 308}, kBall = 6;
constexpr double kUp = 0xC8, kDown = 0xD0;

enum class Role { kHost, kJoin, kFind };
Role g_role = Role::kHost;
std::string g_address;

struct Court {
    double paddle[2] = {100, 100};  // top of each paddle: the host's left, the joiner's right
    double ballX = 160, ballY = 120, speedX = 2, speedY = 1.5;
    int score[2] = {0, 0};
};

std::string Text(const RtString& text) { return std::string(text.Text(), text.Length()); }

double MovePaddle(double y) {
    y += 3 * (KeyDown(kDown) - KeyDown(kUp));
    return y < 0 ? 0 : (y > kHeight - kPaddleHeight ? kHeight - kPaddleHeight : y);
}

// The host's step of the ball: walls, paddles, points.
void MoveBall(Court& c) {
    c.ballX += c.speedX;
    c.ballY += c.speedY;
    if (c.ballY < 0 || c.ballY > kHeight - kBall) c.speedY = -c.speedY;
    for (int side = 0; side < 2; ++side) {
        const bool towards = side == 0 ? c.speedX < 0 : c.speedX > 0;
        const double x = kPaddleX[side];
        if (towards && c.ballX + kBall >= x && c.ballX <= x + 4 && c.ballY + kBall >= c.paddle[side] &&
            c.ballY <= c.paddle[side] + kPaddleHeight) {
            c.speedX = -c.speedX * 1.05;
            c.speedY += (c.ballY + kBall / 2 - (c.paddle[side] + kPaddleHeight / 2)) / 10;
        }
    }
    if (c.ballX < -kBall || c.ballX > kWidth) {
        // The ball goes toward the side that won the point.
        const bool leftLost = c.ballX < 0;
        ++c.score[leftLost ? 1 : 0];
        c.ballX = 160;
        c.ballY = 120;
        c.speedX = leftLost ? 2 : -2;
        c.speedY = 1.5;
    }
}

void Draw(const Court& c, const std::string& line) {
    for (int side = 0; side < 2; ++side) {
        DrawRect(kPaddleX[side], c.paddle[side], kPaddleX[side] + 3, c.paddle[side] + kPaddleHeight - 1, 0xFFFFFF);
    }
    DrawRect(c.ballX, c.ballY, c.ballX + kBall - 1, c.ballY + kBall - 1, 0x40FFFF);
    char score[32];
    std::snprintf(score, sizeof score, "%d  %d", c.score[0], c.score[1]);
    PrintText(score, 140, 4);
    PrintText(line.c_str(), 8, kHeight - 12);
}

// Starts the network as the role asks; false when it cannot.
bool Start() {
    if (g_role == Role::kHost) return NetHost(kPort, 1) == 1;
    if (g_role == Role::kJoin) return NetJoin(g_address.c_str(), kPort) == 1;
    return NetFindHosts(kPort) == 1;
}

void Game() {
    Court court;
    std::string status = Start() ? "" : "NO NETWORK: SEE THE LOG";
    int frames = 0;
    for (;;) {
        ++frames;
        // Finding: after a second, join the first game that answered.
        if (g_role == Role::kFind && frames == 70) {
            if (NetHostCount() > 0) {
                g_role = Role::kJoin;
                g_address = Text(NetHostAddress(0));
                NetJoin(g_address.c_str(), kPort);
            } else {
                status = "NO GAME FOUND ON THE NETWORK";
            }
        }
        const double state = NetState();
        const bool playing = state == 2 && NetPeerCount() > 0;
        const int mine = g_role == Role::kHost ? 0 : 1;
        court.paddle[mine] = MovePaddle(court.paddle[mine]);
        while (NetReceive() >= 0) {
            const std::string message = Text(NetMessage());
            if (g_role == Role::kHost && message[0] == 'p') court.paddle[1] = std::atof(message.c_str() + 1);
            if (g_role != Role::kHost && message[0] == 's') {
                // Everything but this side's own paddle, which moves here.
                double theirs = 0;
                std::sscanf(message.c_str() + 1, "%lf %lf %lf %lf %d %d", &court.ballX, &court.ballY, &court.paddle[0],
                            &theirs, &court.score[0], &court.score[1]);
            }
        }
        if (g_role == Role::kHost) {
            if (playing) MoveBall(court);
            char message[96];
            std::snprintf(message, sizeof message, "s%.1f %.1f %.1f %.1f %d %d", court.ballX, court.ballY,
                          court.paddle[0], court.paddle[1], court.score[0], court.score[1]);
            NetSend(-1, message);
        } else if (playing) {
            char message[32];
            std::snprintf(message, sizeof message, "p%.1f", court.paddle[1]);
            NetSend(0, message);
        }
        if (status.empty() && state < 0) status = Text(NetReason());
        std::string line = status;
        if (line.empty() && !playing) line = g_role == Role::kHost ? "WAITING FOR A PLAYER" : "JOINING...";
        Draw(court, line);
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Netpong's own options come out; the rest go to the engine.
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--host") == 0) {
            g_role = Role::kHost;
        } else if (std::strcmp(argv[i], "--find") == 0) {
            g_role = Role::kFind;
        } else if (std::strcmp(argv[i], "--join") == 0 && i + 1 < argc) {
            g_role = Role::kJoin;
            g_address = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    rest.push_back(nullptr);
    StartupSettings settings;
    settings.caption = "Netpong";
    settings.version = "1.0";
    settings.screenWidth = static_cast<int>(kWidth);
    settings.screenHeight = static_cast<int>(kHeight);
    return RunGame(static_cast<int>(rest.size()) - 1, rest.data(), settings, &Game);
}
