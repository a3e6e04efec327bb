// A desktop session manager reduced to what a test needs: it prints the
// SESSION_MANAGER value on its first line, takes the first client that
// registers, and then, for each line read from standard input, asks that
// client for what a real session would:
//   checkpoint  a save of the session while it goes on
//   cancelled   a logout that asks the client to save, then is cancelled
//   end         a logout carried through: save, then die
// Each answers "done" once the client has said it saved ("end" once the
// client has closed its connection), or "lost" when the client went away.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

SmsConn client = nullptr;
IceConn clientIce = nullptr;
bool registered = false;
bool saved = false;
bool closed = false;

Status registerClient(SmsConn conn, SmPointer, char* previousId)
{
    std::free(previousId);
    char* id = SmsGenerateClientID(conn);
    SmsRegisterClientReply(conn, id);
    std::free(id);
    registered = true;
    return 1;
}

void interactRequest(SmsConn conn, SmPointer, int)
{
    SmsInteract(conn);
}

void interactDone(SmsConn, SmPointer, Bool)
{
}
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool)
{
}

void saveYourselfPhase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void saveYourselfDone(SmsConn, SmPointer, Bool)
{
    saved = true;
}

void closeConnection(SmsConn conn, SmPointer, int count, char** reasons)
{
    SmFreeReasons(count, reasons);
    SmsCleanUp(conn);
    closed = true;
    clientIce = nullptr;
}

void setProperties(SmsConn, SmPointer, int count, SmProp** properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    std::free(properties);
}

void deleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}

void getProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status newClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**)
{
    if (client)
        return 0;
    client = conn;
    clientIce = SmsGetIceConnection(conn);
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
            | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask
            | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask
            | SmsGetPropertiesProcMask;
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = saveYourselfPhase2Request;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

Bool anyHost(char*)
{
    return True;
}

IceListenObj* listeners = nullptr;
int listenerCount = 0;

// Waits up to the timeout for what the connections bring; true while the client is there.
bool serve(int timeoutMs)
{
    std::vector<pollfd> fds;
    for (int i = 0; i < listenerCount; ++i)
        fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    if (clientIce)
        fds.push_back({IceConnectionNumber(clientIce), POLLIN, 0});
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0)
        return clientIce != nullptr;
    for (int i = 0; i < listenerCount; ++i) {
        if (!(fds[static_cast<std::size_t>(i)].revents & POLLIN))
            continue;
        IceAcceptStatus accepted;
        IceConn conn = IceAcceptConnection(listeners[i], &accepted);
        if (!conn)
            continue;
        IceConnectStatus status;
        while ((status = IceConnectionStatus(conn)) == IceConnectPending)
            IceProcessMessages(conn, nullptr, nullptr);
        if (status != IceConnectAccepted)
            IceCloseConnection(conn);
        else if (!clientIce)
            clientIce = conn;
    }
    if (clientIce && fds.back().fd == IceConnectionNumber(clientIce) && (fds.back().revents & (POLLIN | POLLHUP))) {
        if (IceProcessMessages(clientIce, nullptr, nullptr) == IceProcessMessagesIOError) {
            if (client)
                SmsCleanUp(client);
            clientIce = nullptr;
            closed = true;
        }
    }
    return clientIce != nullptr;
}

// Serves until the condition holds or about 20 seconds have passed.
bool until(bool& condition)
{
    for (int i = 0; i < 200 && !condition; ++i)
        if (!serve(100) && !condition)
            return false;
    return condition;
}

} // namespace

int main()
{
    char error[256] = "";
    if (!SmsInitialize("tamaro-test", "1.0", newClient, nullptr, anyHost, sizeof error, error)
        || !IceListenForConnections(&listenerCount, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "session manager: %s\n", error);
        return 1;
    }
    for (int i = 0; i < listenerCount; ++i)
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    char* ids = IceComposeNetworkIdList(listenerCount, listeners);
    std::printf("%s\n", ids);
    std::fflush(stdout);
    std::free(ids);

    // The client is served while the test has nothing to ask.
    for (std::string line;;) {
        pollfd input{0, POLLIN, 0};
        if (poll(&input, 1, 0) <= 0) {
            serve(50);
            continue;
        }
        if (!std::getline(std::cin, line))
            break;
        saved = false;
        bool answered = false;
        if (!until(registered)) {
        } else if (line == "checkpoint") {
            SmsSaveYourself(client, SmSaveBoth, False, SmInteractStyleAny, False);
            answered = until(saved);
        } else if (line == "cancelled") {
            SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleAny, False);
            answered = until(saved);
            if (answered)
                SmsShutdownCancelled(client);
        } else if (line == "end") {
            SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleAny, False);
            if (until(saved)) {
                SmsDie(client);
                answered = until(closed);
            }
        }
        std::printf(answered ? "done\n" : "lost\n");
        std::fflush(stdout);
    }
    return 0;
}
