# Frame reading and writing on a link of the voice-mail server protocol.
#
# Two framings share one port number rule: an odd port speaks the 12-byte
# header (marker, type, two reserved bytes, u32 length, u32 extra), an even
# port only a u32 length before each payload, so every frame there is type 0
# with extra 0.  All integers are little-endian.  Frames arrive in pieces on a
# non-blocking socket, so bytes are gathered per channel until a whole frame
# is there.  A frame that breaks the rules is reported to the caller with its
# reason; the caller closes that link and nothing else.

namespace eval ::vs::framing {
    # A length beyond this is taken for garbage rather than a frame: nothing the
    # administration programs send comes near it, and accepting it would let one
    # link make the simulator hold any amount of memory.
    variable maxPayload [expr {16 * 1024 * 1024}]
    variable buffer
}

proc ::vs::framing::protocolForPort {port} {
    expr {$port % 2 ? 2 : 1}
}

proc ::vs::framing::headerSize {protocol} {
    expr {$protocol == 2 ? 12 : 4}
}

proc ::vs::framing::attach {chan} {
    variable buffer
    fconfigure $chan -blocking 0 -translation binary -buffering none
    set buffer($chan) ""
}

proc ::vs::framing::detach {chan} {
    variable buffer
    unset -nocomplain buffer($chan)
}

# Reads what the channel has and returns the whole frames found, each a list
# {type extra payload}.  Raises an error whose message is the reason when the
# bytes cannot be a frame; the frames before the bad one are lost with it.
proc ::vs::framing::takeFrames {chan protocol} {
    variable buffer
    variable maxPayload
    append buffer($chan) [read $chan]
    set frames {}
    set headerLength [headerSize $protocol]
    while {[string length $buffer($chan)] >= $headerLength} {
        if {$protocol == 2} {
            binary scan $buffer($chan) cucusuiuiu marker type reserved length extra
            if {$marker != 0} {
                error "bad marker byte $marker"
            }
        } else {
            binary scan $buffer($chan) iu length
            set type 0
            set extra 0
        }
        if {$length > $maxPayload} {
            error "payload length $length exceeds $maxPayload"
        }
        set end [expr {$headerLength + $length}]
        if {[string length $buffer($chan)] < $end} {
            break
        }
        lappend frames [list $type $extra [string range $buffer($chan) $headerLength [expr {$end - 1}]]]
        set buffer($chan) [string range $buffer($chan) $end end]
    }
    return $frames
}

# True when a partial frame is waiting; the peer closing then cut it short.
proc ::vs::framing::hasPartialFrame {chan} {
    variable buffer
    expr {[info exists buffer($chan)] && [string length $buffer($chan)] > 0}
}

proc ::vs::framing::encode {protocol type extra payload} {
    set length [string length $payload]
    if {$protocol == 2} {
        return [binary format cucusuiuiu 0 $type 0 $length $extra]$payload
    }
    return [binary format iu $length]$payload
}

proc ::vs::framing::write {chan bytes} {
    puts -nonewline $chan $bytes
    flush $chan
}
