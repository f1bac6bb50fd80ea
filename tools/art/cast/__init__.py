"""The seven characters, in the order of their numbers (0 to 6)."""

from cast import cat, mop_man, robot_dog, rabbit, ballerina, bomb_lady, big_head

CAST = [cat, mop_man, robot_dog, rabbit, ballerina, bomb_lady, big_head]
