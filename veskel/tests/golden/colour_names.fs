\ # looks names up exactly; an unknown one names itself in the error.
#green .s clear
#Red
