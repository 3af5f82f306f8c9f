# The voice-mail server simulator: speaks the server's side of the wire
# protocol to the administration programs and answers their commands from a
# data set, so that the suite can be tested and shown without a server.
#
#   tclsh vserver.tcl -host ADDR -port PORT -data FILE ?-control stdin|none|PORT?
#                     ?-encoding NAME? ?-timelimit SECONDS? ?-quiet 1?
#
# Prints "ready ADDR PORT" once it listens and runs until it is ended (or, with
# the default "-control stdin", until its standard input closes).  The control
# requests and the data file format are in README.md beside this file.

set here [file dirname [file normalize [info script]]]
foreach part {framing log dataset commands reports services connection control config infoschedule telephony params accounts agents} {
    source [file join $here lib $part.tcl]
}

proc usage {message} {
    puts stderr "vserver: $message"
    puts stderr "usage: tclsh vserver.tcl -host ADDR -port PORT -data FILE ?-control stdin|none|PORT?\
        ?-encoding NAME? ?-timelimit SECONDS? ?-quiet 1?"
    exit 2
}

proc parseOptions {argv defaults} {
    set options $defaults
    if {[llength $argv] % 2} {
        usage "options come in pairs"
    }
    foreach {name value} $argv {
        if {![dict exists $defaults $name]} {
            usage "unknown option $name"
        }
        dict set options $name $value
    }
    foreach {name check} {-port {string is integer -strict} -timelimit {string is integer -strict}} {
        if {![{*}$check [dict get $options $name]] || [dict get $options $name] < 0} {
            usage "$name wants a number, not \"[dict get $options $name]\""
        }
    }
    return $options
}

# A fault in the simulator's own code is noted and the simulator goes on: one
# link's trouble must not end the others'.
interp bgerror {} [list apply {{message options} {
    ::vs::log::note "internal error: [dict get $options -errorinfo]"
}}]

set options [parseOptions $argv [dict create -host 127.0.0.1 -port 1561 \
    -data [file join $here data demo.tcl] -control stdin -encoding utf-8 -timelimit 10 -quiet 0]]
set host [dict get $options -host]
set ::vs::log::quiet [dict get $options -quiet]
set ::vs::conn::timeLimit [dict get $options -timelimit]
if {[dict get $options -encoding] ni [encoding names]} {
    usage "unknown encoding [dict get $options -encoding]"
}
set ::vs::conn::encoding [dict get $options -encoding]

if {[catch {::vs::data::load [dict get $options -data]} message]} {
    puts stderr "vserver: $message"
    exit 2
}

if {[catch {socket -server ::vs::conn::accept -myaddr $host [dict get $options -port]} listener]} {
    puts stderr "vserver: cannot listen on $host port [dict get $options -port]: $listener"
    exit 3
}
# The port asked for is the port; only port 0 needs the socket's name, whose
# reading also looks the address up in the DNS (seconds where none answers).
set port [dict get $options -port]
if {$port == 0} {
    set port [lindex [fconfigure $listener -sockname] 2]
}
set ::vs::conn::listenerProtocol [::vs::framing::protocolForPort $port]

set control [dict get $options -control]
if {$control eq "stdin"} {
    ::vs::control::listenOn stdin
    fconfigure stdout -encoding utf-8 -translation lf
} elseif {$control ne "none"} {
    if {![string is integer -strict $control]} {
        usage "-control wants stdin, none or a port"
    }
    if {[catch {socket -server ::vs::control::acceptControl -myaddr $host $control} controlListener]} {
        puts stderr "vserver: cannot listen for control on $host port $control: $controlListener"
        exit 3
    }
}

puts "ready $host $port"
flush stdout
vwait forever
