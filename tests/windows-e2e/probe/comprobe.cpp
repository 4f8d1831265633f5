// comprobe: a Win32 console program that opens a serial port by its COM name the way the
// programming tool does (\\.\COMn, 9600 baud, 8 data bits, no parity, 1 stop bit), sends the
// radio's hand-shake and prints the answer byte in hexadecimal. The Windows end-to-end tests
// run it under Wine to show that a COM port mapped to a pseudo-terminal reaches the virtual
// radio before the real programs are tried.
//
//   comprobe COMn     exit 0 and "06" when the radio acknowledged, 1 on silence, 2 when the
//                     port cannot be opened or set up (with the Windows error code)
#include <cstdio>
#include <cstring>
#include <string>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: comprobe COMn\n");
        return 2;
    }
    const std::string path = std::string("\\\\.\\") + argv[1];
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "comprobe: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        std::fprintf(stderr, "comprobe: GetCommState failed (error %lu)\n", GetLastError());
        return 2;
    }
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    if (!SetCommState(port, &dcb)) {
        std::fprintf(stderr, "comprobe: SetCommState failed (error %lu)\n", GetLastError());
        return 2;
    }
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutConstant = 2000;
    timeouts.WriteTotalTimeoutConstant = 2000;
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);

    const char handshake[] = "PROGRAM";
    DWORD written = 0;
    if (!WriteFile(port, handshake, DWORD(std::strlen(handshake)), &written, nullptr) ||
        written != std::strlen(handshake)) {
        std::fprintf(stderr, "comprobe: write failed (error %lu)\n", GetLastError());
        return 2;
    }
    unsigned char answer = 0;
    DWORD got = 0;
    if (!ReadFile(port, &answer, 1, &got, nullptr) || got != 1) {
        std::fprintf(stderr, "comprobe: no answer\n");
        CloseHandle(port);
        return 1;
    }
    std::printf("%02X\n", answer);
    // End the conversation so the radio is idle for the next program.
    WriteFile(port, "E", 1, &written, nullptr);
    CloseHandle(port);
    return answer == 0x06 ? 0 : 1;
}
