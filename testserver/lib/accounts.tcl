# What the administrator accounts window needs beyond the plain commands:
# a ChangeRemoteUser whose empty password keeps the stored one (the account
# dialog sends "{}" when the password was not touched).

# ChangeRemoteUser NAME PASSWORD RIGHTS RANGES ?FOURTH?; PASSWORD {} keeps
# the password the account has.
proc ::vs::cmd::ChangeRemoteUser {conn name password rights ranges {fourth ""}} {
    set account [::vs::data::account $name]
    ::vs::cmd::check {$account ne ""} "no administrator account \"$name\""
    if {$password eq ""} {
        set password [dict get $account password]
    }
    ::vs::cmd::changeAccount $name $password $rights $ranges $fourth
    list ChangeRemoteUser $name
}
