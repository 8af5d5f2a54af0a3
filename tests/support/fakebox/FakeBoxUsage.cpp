#include "support/fakebox/FakeBoxUsage.h"

const char* fakebox::usage() {
    return R"(usage: fakebox [--port N] [--script FILE]
       fakebox --help

A stand-in for the conferencing box on its Telnet side, for trying the dialer by hand. It
listens on 127.0.0.1, port N (by default a free port, which it prints). The dialer always
dials port 23: give --port 23, which needs root. It prints each line it receives from the
dialer after "<<< " and each line it sends after ">>> ".

It answers by itself:
  the login: user "admin", password "s3cret", then "Level: Administrator" and, once the
    dialer sends "BinaryMode", the "=> " prompt;
  the dialer's questions after the login: display name "Front Desk", local number
    5550100, registered with the primary proxy, all five parties idle, call forwarding
    and do-not-disturb off, speaker level -20 (range -100 to 12), microphone not muted,
    on hook;
  a call the dialer places ("KEY KEY_CALL n"): party 1 goes DIALING, RINGING and ACTIVE.

It reads the lines to send from standard input: each line typed (and Enter) goes to the
dialer, with CR LF added. For a VoIP profile with End Point Number 1, type these to have a
call come in, be answered and hang up:

  EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:201
      A call from 201 rings on party 1: the dialer shows it with ANSWER and REJECT.
      REJECT sends "EP UA 1 KEY KEY_REJECT 1", to which the stand-in answers nothing: the
      call stays INCOMING until you type the IDLE line below.
  EP UA 1 NOTIFICATION STATE_CHANGE PL 1;ACTIVE:201:0:0
      The call is answered. Clicking ANSWER only sends "EP UA 1 KEY KEY_PARTY 1": the box,
      not the dialer, moves the call on, so type this line after that click.
  EP UA 1 NOTIFICATION STATE_CHANGE PL 1;IDLE
      The call has ended. END CALL sends "EP UA 1 KEY KEY_PARTY 1" and waits for this
      line; typed without the click, it is the caller hanging up.

For another End Point Number, put it in place of the 1 after "EP UA"; the number after
"PL" is the party (1 to 5).

--script FILE adds rules, one a line ("#" starts a comment):
  user NAME, password WORD, level on|off,
  reply PATTERN => ANSWER[ || ANSWER...]  (a received line matching PATTERN, ECMAScript,
    as a whole is answered with each ANSWER in turn; $1.. are the pattern's groups)
Ctrl-C ends it.
)";
}
